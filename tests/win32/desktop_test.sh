#!/usr/bin/env bash
# Drives the Windows program by keyboard under Xvfb, as a person would: types
# a pager number and a message, presses Alt+S, adds a name through the name
# entry dialog and closes the window with Alt+F4. Passes when the test server read
# PAGE, MESS, SEND and QUIT and names.txt holds the new name.
# Usage: desktop_test.sh SOURCE_DIR snpp-client-loopback.exe WINEPREFIX
#        (the program pages 127.0.0.1:44461, where this starts the server)
set -Eeuo pipefail
# A step that fails on its own says which.
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
fail() {
  echo "FAIL: $*" >&2
  if [ -n "${DISPLAY:-}" ] && [ -n "${scratch:-}" ]; then
    import -silent -window root "$scratch/screen.png" 2>/dev/null &&
      cp "$scratch/screen.png" "${SNPP_FAIL_SHOT:-/tmp/win32-desktop-test-fail.png}" &&
      echo "screen at the failure: ${SNPP_FAIL_SHOT:-/tmp/win32-desktop-test-fail.png}" >&2
  fi
  exit 1
}
source_dir=$1 exe=$2
export SNPP_WINE_X11_PREFIX=$3
source "$source_dir/scripts/lib.sh"
port=44461

if [ -z "${SNPP_INSIDE_XVFB:-}" ]; then
  snpp_build_host_test_server
  snpp_wine_x11_prefix 96
  # What a check by hand left in the prefix (settings, kept copies of a names
  # list, reported in a box at every start) must not steer this run.
  rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Orvant
  SNPP_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" timeout -k 5 200 "$0" "$@"
fi

scratch=$(mktemp -d)
server_pid="" app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
  snpp_wine_stop
  wait 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
# A time-out or Ctrl+C still ends what this started.
trap 'exit 143' TERM INT HUP
# Wine's helper processes must not hold CTest's pipe: every Wine call here
# writes to files.
exec </dev/null

# wait_for SECONDS COMMAND...: polls every 0.1 s.
wait_for() {
  local tries=$(($1 * 10)); shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}
server_ready() { grep -q '^listening on' "$scratch/wire"; }
wire_has() { grep -qxF "$1" <(tr -d '\r' <"$scratch/wire"); }
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
window_up() { [ -n "$(window "$1")" ]; }
app_gone() { ! kill -0 "$app_pid" 2>/dev/null; }

# Another run of this test (or a demo) may hold the fixed port a while.
wait_for 60 bash -c "! (exec 3<>/dev/tcp/127.0.0.1/$port) 2>/dev/null" ||
  fail "port $port stays in use"
"$source_dir/build/host-tools/tools/snpp-test-server" --port "$port" \
  --greeting '220 desktop test server ready' >"$scratch/wire" 2>&1 &
server_pid=$!
wait_for 10 server_ready || fail "the test server did not start: $(cat "$scratch/wire")"

mkdir "$scratch/work"
snpp_wine_up
(cd "$scratch/work" && exec wine "$exe" >"$scratch/app.log" 2>&1) &
app_pid=$!
wait_for 30 window_up '^Orvant SNPP Client$' || fail "no main window within 30 s"
main=$(window '^Orvant SNPP Client$')
xdotool windowfocus --sync "$main"
sleep 0.3

# The pager-number field has the focus when the window opens.
xdotool type --delay 40 '5551234'
xdotool key --delay 60 Tab
xdotool type --delay 40 'Hello from Wine'
xdotool key alt+s
wait_for 20 wire_has QUIT || fail "no QUIT on the wire: $(cat "$scratch/wire")"
expected=$'PAGE 5551234\nMESS Hello from Wine\nSEND\nQUIT'
got=$(tr -d '\r' <"$scratch/wire" | grep -E '^(PAGE|MESS|SEND|QUIT)')
[ "$got" = "$expected" ] || fail "the wire read:"$'\n'"$(cat "$scratch/wire")"

# A new name, through the name entry dialog (its title is a single blank).
xdotool key alt+a
wait_for 10 window_up '^ $' || fail "Add... opened no dialog"
dialog=$(window '^ $')
xdotool windowfocus --sync "$dialog"
xdotool type --delay 40 'Zed'
xdotool key --delay 60 Tab
xdotool type --delay 40 '5550199'
xdotool key Return
wait_for 10 bash -c "! xdotool search --onlyvisible --name '^ \$' >/dev/null 2>&1" ||
  fail "the name entry dialog stayed open"

xdotool windowfocus --sync "$main"
xdotool key alt+F4
wait_for 15 app_gone || fail "Alt+F4 did not end the program"
wait "$app_pid" || fail "the program ended with status $?: $(cat "$scratch/app.log")"
app_pid=""
[ -f "$scratch/work/names.txt" ] || fail "no names.txt in the working folder"
[ "$(cat "$scratch/work/names.txt")" = $'Zed, 5550199\r' ] ||
  fail "names.txt holds: $(od -c "$scratch/work/names.txt" | head -5)"
echo "paged 5551234 by keyboard; names.txt written"
