#!/usr/bin/env bash
# Packs the Windows program for shipping: the stripped .exe, a zip of it with
# its readme, and the installer. Prints the three paths, one a line.
# Usage: make-package.sh PROGRAM.exe VERSION OUTDIR [PAGER.exe]
# With PAGER.exe, the command-line pager goes into the zip and the installer
# too (stripped, as OUTDIR/orvant-snpp-page.exe).
# The installer carries the program's icon when the build left it beside the
# program (orvant-snpp-client.ico).
set -euo pipefail
[ $# -eq 3 ] || [ $# -eq 4 ] || { echo "usage: $0 PROGRAM.exe VERSION OUTDIR [PAGER.exe]" >&2; exit 2; }
exe=$1 version=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$3"
out=$(cd "$3" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

program=$out/orvant-snpp-client.exe
zip=$out/orvant-snpp-client-$version-win64.zip
setup=$out/orvant-snpp-client-$version-setup.exe
rm -f "$program" "$zip" "$setup"

x86_64-w64-mingw32-strip -o "$program" "$exe"
# The readme is read on Windows: CR LF line ends.
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$here/README.txt" >"$stage/README.txt"
cp "$program" "$stage/"
files=(orvant-snpp-client.exe README.txt)
pager=()
if [ $# -eq 4 ]; then
  x86_64-w64-mingw32-strip -o "$out/orvant-snpp-page.exe" "$4"
  cp "$out/orvant-snpp-page.exe" "$stage/"
  files+=(orvant-snpp-page.exe)
  pager=(-DPAGER="$out/orvant-snpp-page.exe")
fi
(cd "$stage" && zip -q -X "$zip" "${files[@]}")

# The installer's version numbers and copyright line are the program's own,
# from its version block.
block=$(x86_64-w64-mingw32-windres -i "$program" -O rc)
version4=$(sed -n 's/^ *FILEVERSION \([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1.\2.\3.\4/p' <<<"$block")
copyright=$(sed -n 's/^ *VALUE "LegalCopyright", "\(.*\)"$/\1/p' <<<"$block")
grep -qF "VALUE \"ProductVersion\", \"$version\"" <<<"$block" ||
  { echo "$exe is not version $version" >&2; exit 1; }
[ -n "$version4" ] && [ -n "$copyright" ] || { echo "$exe has no version block" >&2; exit 1; }

icon=()
ico=$(dirname "$exe")/orvant-snpp-client.ico
[ -f "$ico" ] && icon=(-DICON="$(cd "$(dirname "$ico")" && pwd)/orvant-snpp-client.ico")
log=$stage/makensis.log
if ! makensis -V2 "${icon[@]}" "${pager[@]}" -DVERSION="$version" -DVERSION4="$version4" -DCOPYRIGHT="$copyright" -DEXE="$program" -DREADME="$stage/README.txt" \
    -DOUTFILE="$setup" "$here/orvant-snpp-client.nsi" >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
printf '%s\n' "$program" "$zip" "$setup"
