#!/usr/bin/env bash
# Every window's controls where the layout table puts them, on a 100 %
# screen: the screenshot program reports them headless (Wine's null driver).
# Usage: layout_test.sh WINEPREFIX snpp-win32-screens.exe TABLE
set -euo pipefail
report=$(mktemp)
trap 'rm -f "$report" "$report.raw"' EXIT
WINEPREFIX=$1 WINEDEBUG=-all timeout 100 wine "$2" --layout </dev/null >"$report.raw" 2>&1 ||
  { cat "$report.raw"; echo "FAIL: the screenshot program failed"; exit 1; }
sed -n 's/\r$//; s/^control //p' "$report.raw" >"$report"
exec "$(dirname "$0")/compare_geometry.sh" "$3" "$report" 1
