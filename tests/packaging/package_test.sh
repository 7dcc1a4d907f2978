#!/usr/bin/env bash
# Builds the Debian package with scripts/package, checks what it holds,
# unpacks it into a scratch root and starts the program from there the way
# the desktop's menu does, under a virtual display; the test passes when its
# main window is up with the pager icon, and SIGTERM then ends it.
# Usage: package_test.sh SOURCE_DIR VERSION
#        package_test.sh --start ROOT   (inside the virtual display)
set -euo pipefail
# Pipes end in `grep ... >/dev/null`, not `grep -q`: with pipefail, a writer
# cut off by an early-exiting grep would turn a match into a failure.
fail() { echo "FAIL: $*" >&2; exit 1; }

start_from_menu_entry() {
  local root=$1 entry exe pid status window icons
  entry=$root/usr/share/applications/orvant-snpp-client.desktop
  exe=$(sed -n 's/^Exec=//p' "$entry")
  QT_QPA_PLATFORM=xcb PATH="$root/usr/bin:$PATH" $exe 2>"$root/../stderr" &
  pid=$!
  trap 'kill "$pid" 2>/dev/null || true' EXIT
  for _ in $(seq 300); do
    xwininfo -root -tree | grep '"Orvant SNPP Client"' >/dev/null && break
    kill -0 "$pid" 2>/dev/null || { cat "$root/../stderr" >&2; fail "the program ended at start"; }
    sleep 0.1
  done
  window=$(xwininfo -root -tree | awk '/"Orvant SNPP Client"/ {print $1; exit}')
  [ -n "$window" ] || fail "no main window within 30 s"
  icons=$(xprop -id "$window" _NET_WM_ICON)
  grep -F 'Icon (16 x 16)' <<<"$icons" >/dev/null || fail "the window carries no 16 px icon"
  kill -TERM "$pid"
  status=0
  wait "$pid" || status=$?
  trap - EXIT
  # 143: ended by the signal's default action; 0 if the program handles it.
  [ "$status" -eq 143 ] || [ "$status" -eq 0 ] || fail "exit status $status after SIGTERM"
  if grep -v '^$' "$root/../stderr"; then fail "the program wrote to stderr"; fi
}

if [ "$1" = --start ]; then
  start_from_menu_entry "$2"
  exit 0
fi

source_dir=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

deb=$("$source_dir/scripts/package" | tail -n 1)
[ -f "$deb" ] || fail "scripts/package made no package"
expected=orvant-snpp-client_${version}-1_$(dpkg --print-architecture).deb
[ "$(basename "$deb")" = "$expected" ] || fail "package named $(basename "$deb"), not $expected"
[ "$(dpkg-deb -f "$deb" Version)" = "${version}-1" ] || fail "control Version"

# Libraries found by dpkg-shlibdeps, not written by hand.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  tr ',' '\n' <<<"$depends" | awk '{print $1}' | grep -xF "$lib" >/dev/null || fail "Depends lacks $lib: $depends"
done

contents=$(dpkg -c "$deb" | awk '{print $6}')
for path in \
  ./usr/bin/orvant-snpp-client \
  ./usr/share/applications/orvant-snpp-client.desktop \
  ./usr/share/metainfo/example.orvant.snpp_client.metainfo.xml \
  ./usr/share/man/man1/orvant-snpp-client.1.gz \
  ./usr/bin/orvant-snpp-page \
  ./usr/share/man/man1/orvant-snpp-page.1.gz \
  ./usr/share/icons/hicolor/scalable/apps/orvant-snpp-client.svg; do
  grep -qxF "$path" <<<"$contents" || fail "package lacks $path"
done
# Only the programs themselves, nothing from the build or test tools.
grep -E '^\./' <<<"$contents" | grep -vE '^\./(usr/?)?$|^\./usr/(bin|share)/' && fail "files outside usr/bin, usr/share"
grep -E '^\./usr/bin/.' <<<"$contents" | grep -v '^\./usr/bin/orvant-snpp-' && fail "a program that is not ours"

root=$scratch/root
mkdir -p "$root"
dpkg -x "$deb" "$root"

for exe in "$root"/usr/bin/*; do
  readelf -S "$exe" | grep '\.symtab' >/dev/null && fail "$(basename "$exe") is not stripped"
  readelf -d "$exe" | grep -E 'R(UN)?PATH' >/dev/null && fail "$(basename "$exe") keeps a library path from the build"
done

icon=$(sed -n 's/^Icon=//p' "$root/usr/share/applications/orvant-snpp-client.desktop")
for size in 16 32 48 256; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
  file "$png" | grep "PNG image data, $size x $size," >/dev/null || fail "icon at $size px: $(file "$png")"
done

grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/example.orvant.snpp_client.metainfo.xml" ||
  fail "AppStream release is not $version"
for page in "$root"/usr/share/man/man1/*.gz; do
  zgrep -q '@[A-Z_]*@' "$page" && fail "$(basename "$page") has an unfilled @VARIABLE@"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done

page_version=$("$root/usr/bin/orvant-snpp-page" --version) || fail "orvant-snpp-page --version failed"
grep -qF "$version" <<<"$page_version" || fail "orvant-snpp-page --version says: $page_version"

# The program itself, started where it keeps its files, with what a
# desktop session sets.
mkdir -p "$scratch/work/config" "$scratch/runtime"
chmod 700 "$scratch/runtime"
cd "$scratch/work"
XDG_CONFIG_HOME=$scratch/work/config XDG_RUNTIME_DIR=$scratch/runtime \
  xvfb-run -a -s "-screen 0 1024x768x24" "$0" --start "$root"
echo "package $(basename "$deb"): $(stat -c %s "$deb") bytes; contents and start checked"
