#!/usr/bin/env bash
# Run by bench/names_list_bench/run on a display of its own: starts each
# window program, as a person would, in a folder holding a names.txt of N
# names, and prints how long its main window took to appear on the screen
# (the best of three, after one start of each not counted), one line per
# program and size:
#   <face> <names> program <ms>
# Usage: startup.sh ROOT N...
set -euo pipefail
root=$1; shift
source "$root/scripts/lib.sh"
work=$(mktemp -d)
snpp_wine_x11_prefix 96
trap 'snpp_wine_stop; rm -rf "$work"' EXIT
trap 'exit 143' TERM INT
snpp_wine_up

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
shown() { xdotool search --onlyvisible --name '^Orvant SNPP Client$' >/dev/null 2>&1; }

# time_start FACE: ms from starting the program until its window shows.
time_start() {
  local face=$1 start pid elapsed
  start=$(now_ms)
  if [ "$face" = linux ]; then
    (cd "$work" && HOME=$work XDG_CONFIG_HOME=$work XDG_DATA_HOME=$work \
       exec "$root/build/default/src/qt/app/orvant-snpp-client" </dev/null >/dev/null 2>&1) &
  else
    (cd "$work" && APPDATA=$(winepath -w "$work") \
       exec wine "$root/build/windows/src/win32/orvant-snpp-client.exe" </dev/null >/dev/null 2>&1) &
  fi
  pid=$!
  until shown; do
    kill -0 $pid 2>/dev/null || { echo "the $face program ended early" >&2; return 1; }
    [ $(( $(now_ms) - start )) -lt 60000 ] || { echo "no $face window in 60 s" >&2; kill $pid; return 1; }
    sleep 0.005
  done
  elapsed=$(( $(now_ms) - start ))
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
  while shown; do sleep 0.05; done
  echo $elapsed
}

# One start of each first, not counted: the first start in a fresh server
# and display pays for caches every later one finds ready.
printf 'Name, 1\r\n' >"$work/names.txt"
time_start linux >/dev/null
time_start windows >/dev/null

for n in "$@"; do
  awk -v n="$n" 'BEGIN { for (i = 0; i < n; ++i) printf "Name %07d, %d\r\n", (i * 7919) % n, 5550000 + i % 10000 }' \
    >"$work/names.txt"
  for face in linux windows; do
    best=
    for _ in 1 2 3; do
      ms=$(time_start $face)
      [ -z "$best" ] || [ "$ms" -lt "$best" ] && best=$ms
    done
    echo "$face $n program $best"
  done
done
