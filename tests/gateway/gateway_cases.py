#!/usr/bin/env python3
"""End-to-end cases against a real SNPP gateway: HylaFAX's hfaxd on loopback
(the peer in shared/peers/hylafax), whose fake paging central writes every
page it really receives to /tmp/hylafax-peer/pages.log.

Each client's reported outcome is held against pages.log. A case passes when
the client tells the truth about every page: each page it confirms arrived,
with the message's words (the gateway may turn line breaks into blanks), and each page
that arrived was either confirmed or named by the client as not confirmed.

Clients:
  engine    the window programs' send engine, headless (snpp-engine-drive),
            through the peer's no-login shim (port 4445)
  page      orvant-snpp-page with --login, on hfaxd's own port (4444)
  sendpage  HylaFAX's own client, against hfaxd and against snpp-test-server
            set up as hfaxd; both runs must end alike (skipped when
            sendpage is missing)

Cases: one page; 3 and 8 recipients; a rejected ID in the middle; a message
of 600 characters; a message with line breaks; Cancel (SIGINT for the
command line) during SEND; and, with the peer restarted without its paging
central, a SEND that is never answered.

Besides, hfaxd must never answer the rest of one of our clients' lines as a
command (a line longer than the 511 bytes it reads).

Usage: gateway_cases.py --build DIR --peer DIR [--only REGEX] [--verbose]
Exit status: 0 when every case passes, 1 otherwise.
"""
import argparse
import ast
import fcntl
import glob
import os
import re
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

RUN = "/tmp/hylafax-peer"
PAGES = RUN + "/pages.log"
SYSLOG = RUN + "/syslog.log"  # hfaxd's trace of every command and reply
SENDQ = "/var/spool/hylafax/sendq"
LOCK = "/tmp/hylafax-peer.lock"
CLIENT_DEADLINE = 150  # seconds any one client run may take
LONG_TEXT = "".join("%03d-abcdef" % i for i in range(60))  # 600 characters
BROKEN_TEXT = "first line\nsecond line\n\nlast line"


class Stop(Exception):
    pass


def on_signal(signum, _frame):
    raise Stop("signal %d" % signum)


# ---- the peer -------------------------------------------------------------

def age(path):
    try:
        return time.time() - os.path.getmtime(path)
    except OSError:
        return 0  # gone meanwhile


def drop_orphan_jobs():
    """Jobs still queued while the peer is down belong to a run that is
    over; started again, the queue would page them in the middle of ours."""
    for job in glob.glob(SENDQ + "/q*"):
        os.unlink(job)


class Peer:
    """The peer, held under the shared lock from start to stop."""

    def __init__(self, directory, **knobs):
        self.directory = directory
        self.env = dict(os.environ, **{k: str(v) for k, v in knobs.items()})
        self.modem = knobs.get("HYLAFAX_FAKE_MODEM") == 1
        self.lock = None
        self.stopping = threading.Event()
        self.watchdog = None

    def __enter__(self):
        self.lock = open(LOCK, "w")
        fcntl.flock(self.lock, fcntl.LOCK_EX)
        # Knobs count only for a fresh start.
        subprocess.run([self.directory + "/stop.sh"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        drop_orphan_jobs()
        started = subprocess.run([self.directory + "/start.sh"], env=self.env, capture_output=True, text=True)
        if started.returncode != 0:
            self.__exit__(None, None, None)
            raise RuntimeError("the peer did not start:\n" + started.stdout + started.stderr)
        if self.modem:
            self.watchdog = threading.Thread(target=self.nudge_stalled_queue, daemon=True)
            self.watchdog.start()
        return self

    def __exit__(self, *_):
        self.stopping.set()
        if self.watchdog:
            self.watchdog.join()
        subprocess.run([self.directory + "/stop.sh"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        drop_orphan_jobs()
        if self.lock:
            self.lock.close()
            self.lock = None

    def nudge_stalled_queue(self):
        """Now and then the queue leaves a job ready after the page before it
        and never hands it to the fake modem, which has nothing that would
        say it is free again: the SEND would hang. A job queued for 1.5 s
        while no page is being sent has stalled; announcing the modem again
        moves it on at once."""
        while not self.stopping.wait(0.5):
            stalled = [q for q in glob.glob(SENDQ + "/q*") if age(q) > 1.5]
            if not stalled or paging_now():
                continue
            with open(RUN + "/modem.devid") as f:
                devid = f.read().strip()
            print("      (the gateway's queue stalled on %s: the modem is announced ready again)" %
                  ", ".join(os.path.basename(q) for q in stalled), flush=True)
            subprocess.run(["/usr/sbin/faxmodem", devid], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.stopping.wait(2)


def paging_now():
    """Whether the gateway's page sender is at work."""
    for cmdline in glob.glob("/proc/[0-9]*/cmdline"):
        try:
            with open(cmdline, "rb") as f:
                if b"pagesend" in f.read():
                    return True
        except OSError:
            pass
    return False


def offset_of(path=PAGES):
    try:
        return os.path.getsize(path)
    except OSError:
        return 0


def lines_since(path, offset):
    try:
        with open(path, "rb") as f:
            f.seek(offset)
            return f.read().decode("latin-1").splitlines()
    except OSError:
        return []


def settle(limit=30):
    """Waits until the queue has sent or dropped every job."""
    end = time.time() + limit
    while glob.glob(SENDQ + "/q*") and time.time() < end:
        time.sleep(0.3)
    time.sleep(0.5)


def pages_since(offset):
    """(pin, text) for each page the paging central received since offset."""
    return [parse_page(line) for line in lines_since(PAGES, offset) if " pin=" in line]


def split_lines_since(offset):
    """hfaxd's answers to what it took as a command but was no command's
    start: the rest of a line longer than it reads."""
    return [line.split("<--- ", 1)[1] for line in lines_since(SYSLOG, offset)
            if "<--- 500 " in line and ("Command not recognized" in line or "expecting command token" in line)]


def parse_page(line):
    pin = re.search(r" pin=(\S*)", line).group(1)
    text = line.split(" text=", 1)[1]
    return pin, ast.literal_eval(text)


def normal(text):
    """The words of the text: the gateway passes line breaks on or makes
    blanks of them, and sends a run of blanks as one."""
    return " ".join(text.split())


# ---- clients ---------------------------------------------------------------

class Outcome:
    def __init__(self, confirmed=(), unconfirmed=(), said="", status=None):
        self.confirmed = list(confirmed)      # pager IDs the client says went out
        self.unconfirmed = set(unconfirmed)   # IDs it names as maybe gone out
        self.said = said                      # its output, for the evidence
        self.status = status


def run(argv, stdin_text="", interrupt_after=None):
    """Runs a client to its end; returns (status, output)."""
    proc = subprocess.Popen(argv, stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True, start_new_session=True)
    try:
        if interrupt_after is not None:
            proc.stdin.write(stdin_text)
            proc.stdin.close()
            time.sleep(interrupt_after)
            proc.send_signal(signal.SIGINT)
            out = proc.stdout.read()
            proc.wait(timeout=CLIENT_DEADLINE)
            return proc.returncode, out
        out, _ = proc.communicate(stdin_text, timeout=CLIENT_DEADLINE)
        return proc.returncode, out
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        return None, "(no result within %d s: killed)" % CLIENT_DEADLINE
    finally:
        if proc.poll() is None:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.wait()


def entry_id(entry):
    return re.sub(r"\D", "", entry.split(",", 1)[1])[:10]


def engine(build, ids, message, cancel_after=None):
    argv = [build + "/tools/snpp-engine-drive", "--server", "127.0.0.1:4445", "-m",
            message.replace("\n", "\r\n"), "--deadline", "120"]
    entries = ["Pager %d, %s" % (n + 1, i) for n, i in enumerate(ids)]
    if len(ids) == 1:
        argv += ["--pager", ids[0]]
    else:
        for e in entries:
            argv += ["--name", e]
    if cancel_after is not None:
        argv += ["--cancel-after", str(int(cancel_after * 1000))]
    status, out = run(argv)
    lines = out.splitlines()
    confirmed, unconfirmed, sending = [], set(), None
    statuses = [l[len("status: "):] for l in lines if l.startswith("status: ")]
    for line in lines:
        if line.startswith("log: Sending to: "):
            sending = entry_id(line[len("log: Sending to: "):].rsplit(" ...", 1)[0])
        elif line == "log: MESSAGE SENT OK" and sending is not None:
            confirmed.append(sending)
            sending = None
        elif line.startswith("unconfirmed: "):
            unconfirmed.add(entry_id(line[len("unconfirmed: "):]))
    # One recipient: only the status label tells, as it stands at the end.
    if len(ids) == 1 and statuses and statuses[-1] == "SUCCESS":
        confirmed = list(ids)
    return Outcome(confirmed, unconfirmed, out, status)


def page(build, ids, message, interrupt_after=None, timeout=None):
    argv = [build + "/src/cli/orvant-snpp-page", "--server", "127.0.0.1:4444", "--login", "snpptest",
            "--names", os.devnull]
    if timeout:
        argv += ["--timeout", str(timeout)]
    status, out = run(argv + ["--"] + ids, message + "\n", interrupt_after)
    confirmed, unconfirmed = [], set()
    for line in out.splitlines():
        m = re.match(r"(\d+): (accepted|unconfirmed)", line)
        if m and m.group(2) == "accepted":
            confirmed.append(m.group(1))
        elif m:
            unconfirmed.add(m.group(1))
    return Outcome(confirmed, unconfirmed, out, status)


def sendpage_argv(host, ids, message, stdin):
    argv = ["sendpage", "-h", host]
    for i in ids:
        argv += ["-p", i]
    return argv if stdin else argv + [message]


def sendpage(host, ids, message, stdin=False):
    status, out = run(sendpage_argv(host, ids, message, stdin), message + "\n" if stdin else "")
    # It stops at the first refusal; success is its exit status alone.
    return Outcome(ids if status == 0 else [], (), out, status)


# ---- judging ----------------------------------------------------------------

def judge(ids, message, outcome, delivered):
    problems = []
    if outcome.status is None:
        problems.append("the client gave no result")
    arrived = [pin for pin, _ in delivered]
    for pin, text in delivered:
        if pin not in ids:
            problems.append("a page to %s arrived, which nobody sent" % pin)
        elif pin not in outcome.confirmed and pin not in outcome.unconfirmed:
            problems.append("%s was paged, but the client does not say so" % pin)
        if normal(text) != normal(message):
            problems.append("%s received other text: %r" % (pin, text[:80] + ("..." if len(text) > 80 else "")))
    for pin in outcome.confirmed:
        if pin not in arrived:
            problems.append("%s is confirmed, but never arrived" % pin)
    for pin in set(arrived):
        if arrived.count(pin) > ids.count(pin):
            problems.append("%s was paged %d times" % (pin, arrived.count(pin)))
    return problems


class Report:
    def __init__(self, verbose):
        self.results = []
        self.verbose = verbose

    def case(self, name, problems, evidence):
        self.results.append((name, not problems))
        print("%s  %s" % ("PASS" if not problems else "FAIL", name), flush=True)
        for p in problems:
            print("      - " + p)
        if problems or self.verbose:
            for line in evidence.rstrip().splitlines():
                print("      | " + line[:160])
        sys.stdout.flush()

    def done(self):
        failed = [n for n, ok in self.results if not ok]
        print("\n%d of %d cases passed." % (len(self.results) - len(failed), len(self.results)))
        for n in failed:
            print("  failed: " + n)
        return 1 if failed else 0


def evidence(outcome, delivered):
    lines = ["client exit status: %s" % outcome.status, "client said:"]
    lines += ["  " + l for l in outcome.said.rstrip().splitlines()]
    lines += ["pages.log:"] + ["  pin=%s text=%r" % p for p in delivered] if delivered else ["pages.log: nothing"]
    return "\n".join(lines)


def truthful_case(report, name, ids, message, client):
    offset, trace = offset_of(PAGES), offset_of(SYSLOG)
    outcome = client()
    settle()
    delivered = pages_since(offset)
    problems = judge(ids, message, outcome, delivered)
    problems += ["the gateway took part of a line as a command: " + r[:100] for r in split_lines_since(trace)]
    report.case(name, problems, evidence(outcome, delivered))


# ---- the test server for sendpage -----------------------------------------------

class TestServer:
    def __init__(self, build):
        self.pages = tempfile.NamedTemporaryFile(prefix="snpp-gateway-", suffix=".log", delete=False).name
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            self.port = s.getsockname()[1]
        self.proc = subprocess.Popen(
            [build + "/tools/snpp-test-server", "--port", str(self.port), "--require-login", "--check-ids",
             "--max-message", "1000", "--line-limit", "512", "--reset-logs-out", "--pages-log", self.pages],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=1).close()
                break
            except OSError:
                time.sleep(0.05)

    def since(self, offset):
        with open(self.pages, "rb") as f:
            f.seek(offset)
            out = []
            for line in f.read().decode("latin-1").splitlines():
                pin, text = line.split("\t", 1)
                text = re.sub(r"\\(.)", lambda m: {"n": "\n", "r": "\r", "t": "\t"}.get(m.group(1), m.group(1)), text)
                out.append((pin, text))
            return out

    def offset(self):
        return os.path.getsize(self.pages)

    def stop(self):
        self.proc.terminate()
        self.proc.wait()
        os.unlink(self.pages)


def said(outcome):
    """What a sendpage run tells its user, less the job numbers and texts:
    the pins it names and the codes of the replies it shows."""
    pins = re.findall(r"destination pin (\S+):", outcome.said)
    codes = re.findall(r"sendpage: (\d{3}) ", outcome.said)
    return outcome.status, pins, codes


def sendpage_case(report, name, ids, message, server, stdin=False):
    offset, local_offset = offset_of(PAGES), server.offset()
    real = sendpage("127.0.0.1:4444", ids, message, stdin)
    settle()
    delivered = pages_since(offset)
    problems = judge(ids, message, real, delivered)
    ours = sendpage("127.0.0.1:%d" % server.port, ids, message, stdin)
    ours_delivered = server.since(local_offset)
    # What each gateway then delivered is shown, not compared: hfaxd drops
    # a job whose client leaves at once, and keeps one whose client leaves
    # a moment later.
    if said(ours) != said(real):
        problems.append("against the test server it ends with (status, pins, codes) %s, against hfaxd with %s" %
                        (said(ours), said(real)))
    report.case(name, problems, evidence(real, delivered) + "\nagainst the test server:\n" +
                evidence(ours, ours_delivered))


# ---- the cases ------------------------------------------------------------------

def ids_from(base, n):
    return ["%d" % (base + k) for k in range(n)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--peer", required=True)
    parser.add_argument("--only", default="", help="run only the cases whose names match")
    parser.add_argument("--verbose", action="store_true", help="show the evidence of passed cases too")
    args = parser.parse_args()
    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGINT, on_signal)
    build, only = args.build, re.compile(args.only)
    report = Report(args.verbose)

    def want(name):
        return only.search(name) is not None

    middle = ["5553101", "0000", "5553103"]  # 0000 is refused by the gateway
    cases = [
        ("one page", ids_from(5553001, 1), "one page to one pager", {}),
        ("3 recipients", ids_from(5553011, 3), "three pagers, one message", {}),
        ("8 recipients", ids_from(5553021, 8), "eight pagers, one message", {}),
        ("a rejected ID in the middle", middle, "the middle one is refused", {}),
        ("a message of 600 characters", ids_from(5553041, 1), LONG_TEXT, {}),
        ("a message with line breaks", ids_from(5553051, 1), BROKEN_TEXT, {}),
        ("Cancel during SEND", ids_from(5553061, 3), "cancelled while the gateway pages", {"cancel": 2.5}),
    ]
    # hfaxd takes messages up to 1000 characters here, so that a long one
    # reaches its line limit instead of its message limit.
    try:
        with Peer(args.peer, HYLAFAX_MAXMSG=1000, HYLAFAX_FAKE_MODEM=1):
            for label, ids, message, extra in cases:
                name = "engine: " + label
                if want(name):
                    engine_ids = [str(int(i) + 100) if i != "0000" else i for i in ids]
                    truthful_case(report, name, engine_ids, message,
                                  lambda: engine(build, engine_ids, message, extra.get("cancel")))
                name = "page: " + label
                if want(name):
                    page_ids = [str(int(i) + 200) if i != "0000" else i for i in ids]
                    truthful_case(report, name, page_ids, message,
                                  lambda: page(build, page_ids, message, extra.get("cancel")))
            if subprocess.run(["sh", "-c", "command -v sendpage"], stdout=subprocess.DEVNULL).returncode == 0:
                server = TestServer(build)
                try:
                    for label, ids, message, stdin in [
                        ("one page", ["5553401"], "one page to one pager", False),
                        ("3 recipients", ids_from(5553411, 3), "three pagers, one message", False),
                        ("a rejected ID in the middle", ["5553431", "REJECTME", "5553433"], "refused", False),
                        ("a message of 600 characters", ["5553441"], LONG_TEXT, False),
                        ("a message with line breaks, on standard input", ["5553451"], BROKEN_TEXT, True),
                    ]:
                        name = "sendpage: " + label
                        if want(name):
                            sendpage_case(report, name, ids, message, server, stdin)
                finally:
                    server.stop()
            else:
                print("SKIP  sendpage: not installed")
        # Without a paging central hfaxd holds SEND until the job's kill
        # time (a minute here): the clients' own time limits end it first.
        no_modem = [("engine: a SEND that is never answered", ["5553571"],
                     lambda: engine(build, ["5553571"], "nobody will answer")),
                    ("page: a SEND that is never answered", ["5553572"],
                     lambda: page(build, ["5553572"], "nobody will answer", timeout=10))]
        if any(want(n) for n, _, _ in no_modem):
            with Peer(args.peer, HYLAFAX_FAKE_MODEM=0, HYLAFAX_KILLMIN=1):
                for name, ids, client in no_modem:
                    if want(name):
                        offset = offset_of(PAGES)
                        outcome = client()
                        delivered = pages_since(offset)
                        problems = judge(ids, "nobody will answer", outcome, delivered)
                        if ids[0] in outcome.confirmed:
                            problems.append("the page is confirmed, yet its SEND was never answered")
                        report.case(name, problems, evidence(outcome, delivered))
    except Stop as e:
        print("stopped (%s); the peer is stopped too" % e)
        return 1
    return report.done()


if __name__ == "__main__":
    sys.exit(main())
