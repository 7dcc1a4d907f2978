#!/usr/bin/env bash
# Packs the program as scripts/package windows does, checks the .exe and the
# zip, installs with the installer silently into a Wine prefix, checks the
# files, the uninstall key and the Start-menu entry (started from it, on a
# virtual display, the program keeps names.txt in the user's profile),
# uninstalls, and checks that all of it is gone. The command-line pager goes
# along, its folder on the PATH when asked for (/PATH), and off it again.
# Then installs for the current user only, through the installer's pages by
# the keyboard as a person would, lets its finish page start the program,
# and uninstalls that.
# Usage: installer_test.sh SOURCE_DIR PROGRAM.exe VERSION WINEPREFIX PAGER.exe
set -Eeuo pipefail
# A step that fails on its own says which.
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
source_dir=$1 exe=$2 version=$3 pager_exe=$5
fail() { echo "FAIL: $*" >&2; exit 1; }
export SNPP_WINE_X11_PREFIX=$4
source "$source_dir/scripts/lib.sh"
if [ -z "${SNPP_INSIDE_XVFB:-}" ]; then
  snpp_wine_x11_prefix 96
  # What a check by hand left in the prefix (settings, kept copies of a names
  # list, reported in a box at every start) must not steer this run.
  rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Orvant
  SNPP_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" timeout -k 5 200 "$0" "$@"
fi
export WINEPREFIX=$SNPP_WINE_X11_PREFIX WINEDEBUG=-all

scratch=$(mktemp -d)
cleanup() { snpp_wine_stop; rm -rf "$scratch"; }
trap cleanup EXIT
# A time-out or Ctrl+C still ends what this started.
trap 'exit 143' TERM INT HUP
# Every Wine call detached from CTest's pipe (Wine's helper processes would
# hold it open) and bounded in time.
wine_run() { timeout 60 wine "$@" </dev/null >>"$scratch/wine.log" 2>&1; }
# windows_folder VARIABLE: the folder a Windows environment variable names,
# as a path here (USERPROFILE, APPDATA …).
windows_folder() { winepath -u "$(timeout 60 wine cmd /c echo "%$1%" </dev/null 2>/dev/null | tr -d '\r')"; }
# gone PATH...: waits up to 60 s until none of the paths exists.
gone() {
  local p left
  for _ in $(seq 600); do
    left=0
    for p in "$@"; do [ -e "$p" ] && left=1; done
    [ $left = 0 ] && return 0
    sleep 0.1
  done
  return 1
}

mapfile -t made < <("$source_dir/packaging/windows/make-package.sh" "$exe" "$version" "$scratch/out" "$pager_exe")
program=$scratch/out/orvant-snpp-client.exe
zip=$scratch/out/orvant-snpp-client-$version-win64.zip
setup=$scratch/out/orvant-snpp-client-$version-setup.exe
[ "${made[*]}" = "$program $zip $setup" ] || fail "make-package.sh printed: ${made[*]}"

# One self-contained, stripped program: only system libraries, no symbols.
dlls=$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^\tDLL Name: //p')
bad=$(grep -viE '^(kernel32|user32|gdi32|msvcrt|advapi32|shell32|comctl32|comdlg32|ole32|oleaut32|oleacc|uuid|ws2_32|version|winmm|imm32|shlwapi)\.dll$' <<<"$dlls" || true)
[ -z "$bad" ] || fail "the program needs DLLs a Windows system lacks: $bad"
x86_64-w64-mingw32-objdump -t "$program" 2>&1 | grep 'no symbols' >/dev/null || fail "the program is not stripped"
# The version the build's project gives, in the installer and in the program.
for f in "$setup" "$program"; do
  x86_64-w64-mingw32-windres -i "$f" -O rc | grep -F "VALUE \"ProductVersion\", \"$version\"" >/dev/null ||
    fail "$(basename "$f") does not carry ProductVersion $version"
done
# One version, "2.05" in the texts and 2.5.0.0 as numbers in the version
# block, the manifest and the installer; the copyright line in both.
program_block=$(x86_64-w64-mingw32-windres -i "$program" -O rc)
setup_block=$(x86_64-w64-mingw32-windres -i "$setup" -O rc)
numbers=$(awk -F. '{ printf "%d, %d, 0, 0", $1, $2 }' <<<"$version")
for block in "$program_block" "$setup_block"; do
  grep -qF "FILEVERSION $numbers" <<<"$block" || fail "a version block is not FILEVERSION $numbers"
  grep -qF 'VALUE "LegalCopyright", "Copyright (C) Orvant Inc."' <<<"$block" || fail "a version block lacks LegalCopyright"
done
grep -qF "version=\"\"${numbers//, /.}\"\"" <<<"$(grep -F assemblyIdentity <<<"$program_block")" ||
  fail "the manifest's version is not ${numbers//, /.}"
# The installer asks for an administrator only when one runs it.
grep -qF 'requestedExecutionLevel level="highestAvailable"' <<<"$(strings "$setup")" ||
  fail "the installer does not run for a user without administrator rights"
[ "$(unzip -Z1 "$zip" | sort | tr '\n' ' ')" = "README.txt orvant-snpp-client.exe orvant-snpp-page.exe " ] ||
  fail "zip holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"
[ "$(unzip -p "$zip" README.txt | sed -n 1p)" = "Orvant SNPP Client $version"$'\r' ] || fail "readme heading"

drive_c=$WINEPREFIX/drive_c
dir="$drive_c/Program Files/Orvant SNPP Client"
link="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Orvant SNPP Client.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvant SNPP Client'
path_key='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'
system_path() { timeout 60 wine reg query "$path_key" /v Path </dev/null 2>/dev/null | tr -d '\r' | sed -n 's/^ *Path *REG[_A-Z]* *//p'; }
# Empty when the key does not exist (reg then fails, with a message).
read_key() { values=$(timeout 60 wine reg query "$key" </dev/null 2>/dev/null) && values=$(tr -d '\r' <<<"$values") || values=""; }
reg_value() { awk -v v="$1" '$1 == v { $1 = ""; $2 = ""; sub(/^ +/, ""); print }' <<<"$values"; }

# One server for the whole run: each Wine call then starts in a moment.
snpp_wine_up
# What a failed earlier run may have left, for all users and for the user
# alone (an install of either kind is where the next one goes by default).
key_hkcu='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvant SNPP Client'
user_dir="$(windows_folder LOCALAPPDATA)/Programs/Orvant SNPP Client"
user_link="$(windows_folder APPDATA)/Microsoft/Windows/Start Menu/Programs/Orvant SNPP Client.lnk"
rm -rf "$dir" "$link" "$user_dir" "$user_link"
wine_run reg delete "$key" /f || true
path_before=$(system_path)
wine_run reg delete "$key_hkcu" /f || true
wine_run "$setup" /S /PATH || fail "the installer failed: $(tail -5 "$scratch/wine.log")"
for f in orvant-snpp-client.exe orvant-snpp-page.exe README.txt uninstall.exe; do
  [ -f "$dir/$f" ] || fail "not installed: $f"
done
cmp -s "$dir/orvant-snpp-client.exe" "$program" || fail "the installed program differs from the packed one"
[ "$(system_path)" = "$path_before;C:\Program Files\Orvant SNPP Client" ] || fail "PATH: $(system_path)"
[ "$(timeout 60 wine "$dir/orvant-snpp-page.exe" --version </dev/null 2>/dev/null | tr -d '\r')" = "orvant-snpp-page $version" ] ||
  fail "the installed pager does not start"
[ -f "$link" ] || fail "no Start-menu entry"
link_texts=$(strings -el "$link")
grep -qF 'orvant-snpp-client.exe' <<<"$link_texts" || fail "the entry does not start the program"
grep -qxF '%USERPROFILE%' <<<"$link_texts" || fail "the entry's working folder is not the user's profile"
read_key
[ "$(reg_value DisplayName)" = "Orvant SNPP Client" ] || fail "DisplayName: $(reg_value DisplayName)"
[ "$(reg_value DisplayVersion)" = "$version" ] || fail "DisplayVersion: $(reg_value DisplayVersion)"
[ "$(reg_value Publisher)" = "Orvant Inc." ] || fail "Publisher: $(reg_value Publisher)"
[ "$(reg_value DisplayIcon)" = 'C:\Program Files\Orvant SNPP Client\orvant-snpp-client.exe,0' ] ||
  fail "DisplayIcon: $(reg_value DisplayIcon)"
[ "$(reg_value URLInfoAbout)" = "https://www.orvant.example/" ] || fail "URLInfoAbout: $(reg_value URLInfoAbout)"
[ "$(reg_value HelpLink)" = "https://www.orvant.example/" ] || fail "HelpLink: $(reg_value HelpLink)"
size_kb=$(stat -c %s "$dir"/* | awk '{ s += $1 } END { print int(s / 1024) }')
estimated=$(( $(reg_value EstimatedSize) ))
[ "$estimated" -gt 0 ] && [ $(( estimated - size_kb )) -le 4 ] && [ $(( size_kb - estimated )) -le 4 ] ||
  fail "EstimatedSize $estimated KB for $size_kb KB installed"

# Started from its entry, the program works in the profile folder of the
# user (one the user may write), so that is where it keeps names.txt: a
# list put there out of order is written back sorted when it closes.
profile=$(windows_folder USERPROFILE)
printf 'Bob, 2\r\nAnn, 1\r\n' >"$profile/names.txt"
wine_run start "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Orvant SNPP Client.lnk" ||
  fail "the Start-menu entry did not start"
main_window() { xdotool search --onlyvisible --name '^Orvant SNPP Client$' 2>/dev/null | head -1; }
for _ in $(seq 300); do [ -n "$(main_window)" ] && break; sleep 0.1; done
window=$(main_window)
[ -n "$window" ] || fail "no main window within 30 s of starting the entry"
xdotool windowfocus --sync "$window" key alt+F4
sorted() { [ "$(cat "$profile/names.txt" 2>/dev/null)" = $'Ann, 1\r\nBob, 2\r' ]; }
gone_window() { [ -z "$(main_window)" ] && sorted; }
for _ in $(seq 300); do gone_window && break; sleep 0.1; done
sorted || fail "names.txt in the profile folder $profile not written on closing: $(od -c "$profile/names.txt" | head -3)"
rm -f "$profile/names.txt"

# The uninstaller copies itself to TEMP and returns at once; the copy does
# the work.
wine_run "C:\\Program Files\\Orvant SNPP Client\\uninstall.exe" /S || fail "the uninstaller failed"
gone "$dir" "$link" || fail "left behind: $(ls "$dir" "$link" 2>&1)"
read_key
[ -z "$values" ] || fail "the uninstall key is left"
[ "$(system_path)" = "$path_before" ] || fail "PATH after uninstalling: $(system_path)"

# For the current user only, by the keyboard: Enter on the welcome page, the
# choice (the current user, as the command line preselects it), the parts
# (the pager, and no change to the PATH), the folder,
# and on the finish page, whose "Start" box is ticked. The program it starts
# works in the profile folder too: it sorts the list it finds there.
key=$key_hkcu
printf 'Bob, 2\r\nAnn, 1\r\n' >"$profile/names.txt"
(timeout 120 wine "$setup" /CurrentUser </dev/null >>"$scratch/wine.log" 2>&1 &)
setup_window() { xdotool search --onlyvisible --name "^Orvant SNPP Client $version Setup" 2>/dev/null | head -1; }
for step in welcome choice components folder finish; do
  for _ in $(seq 300); do [ -n "$(setup_window)" ] && break; sleep 0.1; done
  [ -n "$(setup_window)" ] || fail "no installer window for the $step page"
  # The finish page follows once the files and the entry (its size last) are in.
  if [ $step = finish ]; then
    for _ in $(seq 60); do read_key; [ -n "$(reg_value EstimatedSize)" ] && break; sleep 0.5; done
  fi
  sleep 0.5
  xdotool windowfocus --sync "$(setup_window)" key Return
done
for _ in $(seq 300); do [ -n "$(main_window)" ] && break; sleep 0.1; done
window=$(main_window)
[ -n "$window" ] || fail "the finish page did not start the program"
[ -f "$user_dir/orvant-snpp-client.exe" ] || fail "not installed for the user in $user_dir"
[ -f "$user_link" ] || fail "no Start-menu entry of the user's own"
[ ! -e "$dir" ] || fail "a current-user install went to Program Files"
read_key
[ "$(reg_value DisplayVersion)" = "$version" ] || fail "no uninstall entry of the user's own"
quiet=$(reg_value QuietUninstallString)
xdotool windowfocus --sync "$window" key alt+F4
for _ in $(seq 300); do gone_window && break; sleep 0.1; done
sorted || fail "the program started by the finish page did not work in $profile: $(od -c "$profile/names.txt" | head -3)"
rm -f "$profile/names.txt"
[[ $quiet == *'uninstall.exe" /CurrentUser /S' ]] || fail "QuietUninstallString: $quiet"
wine_run "$(winepath -w "$user_dir/uninstall.exe")" /CurrentUser /S || fail "the user's uninstaller failed"
gone "$user_dir" "$user_link" || fail "left behind: $(ls "$user_dir" "$user_link" 2>&1)"
read_key
[ -z "$values" ] || fail "the user's uninstall key is left"
echo "packed, installed and uninstalled $(basename "$setup") ($(stat -c %s "$setup") bytes), for all users and for one"
