#!/usr/bin/env bash
# Builds the two Debian packages with scripts/package and checks them as a
# Debian packager would: names, versions, dependencies and contents, the
# documents in /usr/share/doc, lintian -I with no remark, hardened binaries,
# and the same bytes when packed a second time. Then it unpacks each into a
# scratch root of its own: the pager pages a test server with nothing but
# its own package, and the window program answers --version without a
# display and is started from its menu entry under a virtual display; that
# passes when its main window is up with the pager icon, and SIGTERM ends it.
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
server=""
trap '[ -z "$server" ] || kill "$server" 2>/dev/null || true; rm -rf "$scratch"' EXIT
arch=$(dpkg --print-architecture)
# The package's version is the changelog's latest entry.
full=$(sed -n '1s/^orvant-snpp-client (\([^)]*\)).*/\1/p' "$source_dir/packaging/debian/changelog")
[ "${full%-*}" = "$version" ] || fail "the changelog's latest entry is $full, the project is $version"

"$source_dir/scripts/package" >"$scratch/out"
mapfile -t debs < <(tail -n 2 "$scratch/out")
page=${debs[0]:-}
client=${debs[1]:-}
[ "$(basename "$page")" = "orvant-snpp-page_${full}_$arch.deb" ] || fail "the pager's package is $page"
[ "$(basename "$client")" = "orvant-snpp-client_${full}_$arch.deb" ] || fail "the program's package is $client"
for deb in "$page" "$client"; do
  [ -f "$deb" ] || fail "scripts/package made no $deb"
  [ "$(dpkg-deb -f "$deb" Version)" = "$full" ] || fail "$(basename "$deb"): Version $(dpkg-deb -f "$deb" Version)"
  [ "$(dpkg-deb -f "$deb" Source)" = orvant-snpp-client ] || fail "$(basename "$deb"): Source"
done

# Dependencies: the libraries dpkg-shlibdeps finds, not written by hand.
# The pager must install on a host without a desktop.
dependencies() { dpkg-deb -f "$1" "$2" | tr ',' '\n' | awk '{print $1}'; }
has() { grep -xF "$2" <<<"$1" >/dev/null; }
page_depends=$(dependencies "$page" Depends)
client_depends=$(dependencies "$client" Depends)
for lib in libc6 libstdc++6; do
  has "$page_depends" "$lib" || fail "the pager's Depends lack $lib"
done
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  has "$client_depends" "$lib" || fail "the program's Depends lack $lib"
done
if grep -iE 'qt|fonts|x11|xcb|gl' <<<"$page_depends$(dependencies "$page" Recommends)"; then
  fail "the pager pulls in desktop packages"
fi
[ "$(dpkg-deb -f "$client" Recommends)" = "orvant-snpp-page (= $full), fonts-wine" ] ||
  fail "the program's Recommends: $(dpkg-deb -f "$client" Recommends)"
# Up to 2.05-1 the pager was inside orvant-snpp-client: an upgrade moves it.
for field in Breaks Replaces; do
  [ "$(dpkg-deb -f "$page" "$field")" = "orvant-snpp-client (<< 2.05-2)" ] || fail "the pager's $field"
done
dpkg-deb -f "$page" Description | grep -F 'cron jobs' >/dev/null || fail "the pager's description says not what it is for"

# Contents: exactly these files, nothing from the build or the tests.
files() { dpkg -c "$1" | awk '$1 !~ /^d/ {print $6}' | LC_ALL=C sort; }
doc_files() { printf './usr/share/doc/%s/%s\n' "$1" README "$1" changelog.Debian.gz "$1" copyright; }
expected_page=$(printf '%s\n' ./usr/bin/orvant-snpp-page ./usr/share/man/man1/orvant-snpp-page.1.gz;
                doc_files orvant-snpp-page)
expected_client=$(printf '%s\n' ./usr/bin/orvant-snpp-client \
  ./usr/share/applications/orvant-snpp-client.desktop \
  ./usr/share/metainfo/example.orvant.snpp_client.metainfo.xml \
  ./usr/share/man/man1/orvant-snpp-client.1.gz \
  ./usr/share/icons/hicolor/{16x16,32x32,48x48,256x256}/apps/orvant-snpp-client.png \
  ./usr/share/icons/hicolor/scalable/apps/orvant-snpp-client.svg; doc_files orvant-snpp-client)
[ "$(files "$page")" = "$(LC_ALL=C sort <<<"$expected_page")" ] || fail "the pager's package holds: $(files "$page")"
[ "$(files "$client")" = "$(LC_ALL=C sort <<<"$expected_client")" ] || fail "the program's package holds: $(files "$client")"

# lintian's informational remarks included; its warning about running as
# root is about itself, not the packages.
remarks=$(lintian -I "$page" "$client" 2>&1 | grep -vxF 'running with root privileges is not recommended!' || true)
[ -z "$remarks" ] || fail "lintian: $remarks"

# Packed again, with every file to pack given a new time: the same bytes.
mkdir "$scratch/first"
cp "$page" "$client" "$scratch/first/"
sleep 1
build=$(dirname "$client")
touch "$build/src/cli/orvant-snpp-page" "$build/src/qt/app/orvant-snpp-client" "$build"/packaging/*
"$source_dir/scripts/package" >/dev/null
for deb in "$page" "$client"; do
  cmp "$scratch/first/$(basename "$deb")" "$deb" || fail "$(basename "$deb") differs when packed again"
done

page_root=$scratch/page-root
root=$scratch/root
mkdir -p "$page_root" "$root"
dpkg -x "$page" "$page_root"
dpkg -x "$client" "$root"

# Hardened as dpkg-buildflags asks: PIE, relro, bindnow, stack protector,
# fortified functions; stripped, and no library path from the build.
for exe in "$page_root/usr/bin/orvant-snpp-page" "$root/usr/bin/orvant-snpp-client"; do
  name=$(basename "$exe")
  readelf -hW "$exe" | grep 'Type: *DYN' >/dev/null || fail "$name is not position-independent"
  readelf -lW "$exe" | grep GNU_RELRO >/dev/null || fail "$name has no relro"
  readelf -dW "$exe" | grep -E 'FLAGS.*(BIND_NOW| NOW)' >/dev/null || fail "$name is not bound at start (bindnow)"
  symbols=$(readelf --dyn-syms -W "$exe")
  grep -F __stack_chk_fail <<<"$symbols" >/dev/null || fail "$name has no stack protector"
  grep -E '__[a-z]+_chk@' <<<"$symbols" >/dev/null || fail "$name uses no fortified functions"
  readelf -SW "$exe" | grep -E '\.symtab|\.comment' >/dev/null && fail "$name is not stripped"
  readelf -dW "$exe" | grep -E 'R(UN)?PATH' >/dev/null && fail "$name keeps a library path from the build"
  docs=$(dirname "$exe")/../share/doc/$name
  for doc in copyright changelog.Debian.gz README; do
    [ -s "$docs/$doc" ] || fail "$name's package has no $doc"
  done
  head -n 1 "$docs/copyright" |
    grep -xF 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' >/dev/null ||
    fail "$name's copyright file is not machine-readable"
  [ "$(zcat "$docs/changelog.Debian.gz" | head -n 1 | cut -d' ' -f2)" = "($full)" ] ||
    fail "$name's changelog does not begin with $full"
done

icon=$(sed -n 's/^Icon=//p' "$root/usr/share/applications/orvant-snpp-client.desktop")
for size in 16 32 48 256; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
  file "$png" | grep "PNG image data, $size x $size," >/dev/null || fail "icon at $size px: $(file "$png")"
done

grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/example.orvant.snpp_client.metainfo.xml" ||
  fail "AppStream release is not $version"
grep -F '<project_license>LicenseRef-proprietary</project_license>' \
  "$root/usr/share/metainfo/example.orvant.snpp_client.metainfo.xml" >/dev/null || fail "AppStream licence"
for page_file in "$root"/usr/share/man/man1/*.gz "$page_root"/usr/share/man/man1/*.gz; do
  zgrep -q '@[A-Z_]*@' "$page_file" && fail "$(basename "$page_file") has an unfilled @VARIABLE@"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page_file" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$(basename "$page_file"): $warnings"
done

# The pager alone, as cron runs it: its own package only, a bare
# environment, the home folder as working folder, no names list.
mkdir -p "$scratch/home"
"$build/tools/snpp-test-server" >"$scratch/server" 2>&1 &
server=$!
for _ in $(seq 50); do grep -q '^listening on' "$scratch/server" && break; sleep 0.1; done
address=$(sed -n 's/^listening on //p' "$scratch/server")
[ -n "$address" ] || fail "the test server did not start"
page_version=$(env -i "$page_root/usr/bin/orvant-snpp-page" --version) || fail "orvant-snpp-page --version failed"
grep -qF "$version" <<<"$page_version" || fail "orvant-snpp-page --version says: $page_version"
ldd "$page_root/usr/bin/orvant-snpp-page" | grep -i qt && fail "the pager links Qt"
result=$(cd "$scratch/home" && env -i HOME="$scratch/home" PATH=/usr/bin:/bin \
  "$page_root/usr/bin/orvant-snpp-page" --server "$address" -m "disk full on db1" 5551234) ||
  fail "the pager alone did not page: $result"
grep -F 'PAGE 5551234' "$scratch/server" >/dev/null || fail "the test server got no page: $(cat "$scratch/server")"
kill "$server"
wait "$server" 2>/dev/null || true
server=""

# The window program answers --version without a display.
client_version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/orvant-snpp-client" --version) ||
  fail "orvant-snpp-client --version failed"
grep -qF "$version" <<<"$client_version" || fail "orvant-snpp-client --version says: $client_version"

# The program itself, started where it keeps its files, with what a
# desktop session sets. Closed with an empty list, it leaves no names.txt.
mkdir -p "$scratch/work/config" "$scratch/runtime"
chmod 700 "$scratch/runtime"
cd "$scratch/work"
XDG_CONFIG_HOME=$scratch/work/config XDG_RUNTIME_DIR=$scratch/runtime \
  xvfb-run -a -s "-screen 0 1024x768x24" "$0" --start "$root"
[ ! -e "$scratch/work/names.txt" ] || fail "the program left an empty names.txt behind"
for deb in "$page" "$client"; do
  echo "package $(basename "$deb"): $(stat -c %s "$deb") bytes; contents, lintian, same bytes packed twice: checked"
done
