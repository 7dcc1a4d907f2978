#!/usr/bin/python3
"""Reads the running program the way a desktop screen reader does: through
AT-SPI on the accessibility bus. Run by `scripts/test a11y` under Xvfb and
dbus-run-session; starts the test server and the program, drives them with
keys and through AT-SPI itself, and checks what a reader is told.

usage: screen_reader_check.py CLIENT SERVER PORT WORKDIR
"""
import os
import signal
import subprocess
import sys
import time

import gi

gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib  # noqa: E402

CLIENT, SERVER, PORT, WORKDIR = sys.argv[1:5]
failures = []
events = []


def check(ok, what):
    print(('ok   ' if ok else 'FAIL ') + what, flush=True)
    if not ok:
        failures.append(what)


def pump(seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.02)


def wait_for(predicate, seconds=5.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        pump(0.05)
        result = predicate()
        if result:
            return result
    return None


def on_event(e):
    try:
        source = e.source
        role = source.get_role_name() if source else ''
        name = source.get_name() if source else ''
    except GLib.Error:
        role = name = '?'
    data = e.any_data if isinstance(e.any_data, (str, int)) else None
    events.append((e.type, role, name, e.detail1, e.detail2, data))


def states(obj):
    return {Atspi.StateType(s).value_nick for s in obj.get_state_set().get_states()}


def find(obj, role, name=None, depth=0):
    if obj is None or depth > 10:
        return None
    if obj.get_role_name() == role and (name is None or obj.get_name() == name):
        return obj
    for i in range(obj.get_child_count()):
        hit = find(obj.get_child_at_index(i), role, name, depth + 1)
        if hit:
            return hit
    return None


def children(obj):
    return [obj.get_child_at_index(i) for i in range(obj.get_child_count())]


def key(*keys):
    subprocess.run(['xdotool', 'key', '--delay', '60', *keys], check=True, timeout=10)


def since(mark, kind):
    return [e for e in events[mark:] if e[0].startswith(kind)]


def application(pid):
    desktop = Atspi.get_desktop(0)
    for app in children(desktop):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def run(client):
    app = wait_for(lambda: application(client.pid), 20)
    check(app is not None, 'the program is on the accessibility bus')
    if app is None:
        return
    frame = wait_for(lambda: find(app, 'frame', 'Orvant SNPP Client'), 10)
    names = wait_for(lambda: find(frame, 'list', 'Names List:  (click to select)'), 10)
    check(names is not None, 'the names list is a list named after its label')
    if names is None:
        return
    wid = subprocess.run(['xdotool', 'search', '--sync', '--onlyvisible', '--pid', str(client.pid)],
                         capture_output=True, text=True, timeout=15).stdout.split()
    if wid:
        subprocess.run(['xdotool', 'windowfocus', '--sync', wid[-1]], timeout=10)

    # Rows: check boxes, each with its own check state.
    rows = children(names)
    check([r.get_role_name() for r in rows] == ['check box'] * 3, 'each row is a check box')
    check([r.get_name() for r in rows] == ['Ann, 1001', 'Bob, 1002', 'Carl, 1003'], 'rows read as the list shows them')
    check(not any('checked' in states(r) for r in rows), 'no row starts checked')

    # Names where captions say little.
    for n in range(1, 9):
        button = find(frame, 'push button', 'Standard message %d' % n)
        check(button is not None and button.get_description() != '', 'pick button %d: name and description' % n)
    check(find(frame, 'text', 'Send log') is not None, 'the log pane is named "Send log"')
    check(find(frame, 'status bar') is not None, 'the status bar is there for read-status-bar')

    # Entering the list: the current row gets the focus event.
    mark = len(events)
    Atspi.Component.grab_focus(names)
    got = wait_for(lambda: [e for e in since(mark, 'object:state-changed:focused') if e[1] == 'check box' and e[3] == 1])
    check(bool(got) and got[-1][2] == 'Ann, 1001', 'entering the list announces its focused row')

    key('Down')
    wait_for(lambda: 'selected' in states(rows[0]))
    mark = len(events)
    key('space')
    got = wait_for(lambda: since(mark, 'object:state-changed:checked'))
    check(bool(got) and got[0][1:4] == ('check box', 'Ann, 1001', 1), 'Space: "checked" on the row it ticked')
    check('checked' in states(rows[0]), 'the ticked row reads checked')

    # A typed letter ticks the current row off and moves to Carl.
    mark = len(events)
    key('c')
    got = wait_for(lambda: since(mark, 'object:state-changed:checked'))
    check(bool(got) and got[0][1:4] == ('check box', 'Ann, 1001', 0), 'a letter: "not checked" on the row it changed')
    wait_for(lambda: [e for e in since(mark, 'object:state-changed:selected') if e[3] == 0], 3)
    sel = [(e[2], e[3]) for e in since(mark, 'object:state-changed:selected')]
    check(('Carl, 1003', 1) in sel and ('Ann, 1001', 0) in sel, 'the new row is told selected, the old one unselected')

    # Selection: the current row is the list's one selected child; a reader
    # can move it, and the rows and the list say so.
    check('Selection' in names.get_interfaces(), 'the names list offers Selection')
    picked = lambda: [Atspi.Selection.get_selected_child(names, i).get_name()
                      for i in range(Atspi.Selection.get_n_selected_children(names))]
    check(picked() == ['Carl, 1003'], 'its selected child is the current row (%r)' % picked())
    mark = len(events)
    check(Atspi.Selection.select_child(names, 1), 'selecting a row through Selection')
    wait_for(lambda: since(mark, 'object:selection-changed'), 3)
    sel = [(e[2], e[3]) for e in since(mark, 'object:state-changed:selected')]
    check(('Bob, 1002', 1) in sel and ('Carl, 1003', 0) in sel, 'the rows tell of it (%r)' % sel)
    check([e[1] for e in since(mark, 'object:selection-changed')] == ['list'], 'the list tells of it')
    check(Atspi.Selection.is_child_selected(names, 1) and not Atspi.Selection.is_child_selected(names, 2),
          'only the new row reads selected')
    check(not Atspi.Selection.select_child(names, 3), 'no row past the end to select')
    check(Atspi.Selection.clear_selection(names) and picked() == [], 'clearing leaves no row selected')
    Atspi.Selection.select_child(names, 2)

    # The pager number: text set through EditableText is typed, so the
    # mask (no control characters) and the limit (ten) hold.
    field = find(frame, 'text', 'Pager Number:')
    check(field is not None and 'EditableText' in field.get_interfaces(), 'the pager number offers EditableText')
    if field is not None:
        Atspi.EditableText.set_text_contents(field, '55\t123456789012')
        text = lambda: Atspi.Text.get_text(field, 0, -1)
        wait_for(lambda: text() != '', 2)
        check(text() == '5512345678', 'text set through accessibility keeps the mask and the limit (%r)' % text())
        Atspi.EditableText.set_text_contents(field, '555')
        mark = len(events)
        Atspi.EditableText.insert_text(field, 3, '7', 1)
        got = wait_for(lambda: since(mark, 'object:text-changed'))
        pump(0.3)
        changes = [(e[0], e[3], e[5]) for e in since(mark, 'object:text-changed')]
        check(changes == [('object:text-changed:insert', 3, '7')], 'a typed character is reported alone (%r)' % changes)
        Atspi.EditableText.set_text_contents(field, '55A')

    memo = find(frame, 'text', 'Message:')
    Atspi.EditableText.set_text_contents(memo, 'Hello pager')
    send = find(frame, 'push button', 'Send')
    status = find(frame, 'notification')
    check(status is not None, 'the send status is a notification')

    # A refused pager number: FAIL is spoken unasked, the status bar reads.
    mark = len(events)
    Atspi.Action.do_action(send, 0)
    got = wait_for(lambda: [e for e in since(mark, 'object:state-changed:showing')
                            if e[1] == 'notification' and e[3] == 1], 10)
    check(bool(got) and got[-1][2].startswith('FAIL'), 'FAIL raises the notification event (%r)' % (got and got[-1][2]))
    bar = find(frame, 'status bar')
    check(bar is not None and bar.get_name().startswith('550'), 'the status bar reads the reply (%r)' % (bar and bar.get_name()))

    Atspi.EditableText.set_text_contents(field, '5551234')
    mark = len(events)
    Atspi.Action.do_action(send, 0)
    got = wait_for(lambda: [e for e in since(mark, 'object:state-changed:showing')
                            if e[1] == 'notification' and e[3] == 1], 10)
    check(bool(got) and got[-1][2] == 'SUCCESS', 'SUCCESS raises the notification event')

    # The name dialog's caption is a blank; its accessible name is not.
    Atspi.Component.grab_focus(names)
    key('alt+a')
    dialog = wait_for(lambda: find(app, 'dialog'), 5)
    check(dialog is not None and dialog.get_name() == 'Add name', 'the name dialog is "Add name" (%r)' % (dialog and dialog.get_name()))
    key('Escape')


def main():
    # Ended from outside (the script's time limit), it still ends what it started.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(2))
    Atspi.init()
    listener = Atspi.EventListener.new(on_event)
    for kind in ('object:state-changed:checked', 'object:state-changed:selected', 'object:state-changed:focused',
                 'object:state-changed:showing', 'object:text-changed', 'object:selection-changed'):
        listener.register(kind)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_ACCESSIBILITY='1', QT_QPA_PLATFORM='xcb',
               XDG_CONFIG_HOME=WORKDIR, XDG_DATA_HOME=WORKDIR)
    server = subprocess.Popen([SERVER, '--port', PORT, '--check-ids'], stdout=subprocess.DEVNULL)
    client = None
    try:
        time.sleep(0.3)
        client = subprocess.Popen([CLIENT], env=env, cwd=WORKDIR)
        run(client)
    finally:
        for p in (client, server):
            if p is not None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
    print('%d checks failed' % len(failures) if failures else 'all checks passed')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
