#!/usr/bin/env bash
# Compares where the screenshot program found each control with the table of
# where it belongs. Lines of both: WINDOW CONTROL LEFT TOP WIDTH HEIGHT in
# pixels of a 100 % screen; "-" in the table leaves a value unchecked. On a
# scaled screen a value may be one pixel off from rounding.
# Usage: compare_geometry.sh TABLE REPORT SCALE
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 TABLE REPORT SCALE" >&2; exit 2; }
awk -v scale="$3" '
  FNR == NR { if ($0 !~ /^#/ && NF == 6) found[$1 " " $2] = $3 " " $4 " " $5 " " $6; next }
  /^#/ || NF != 6 { next }
  {
    key = $1 " " $2
    checked++
    if (!(key in found)) { print "missing: " key; bad++; next }
    split(found[key], got, " ")
    slack = (scale == 1) ? 0 : 1
    for (i = 1; i <= 4; i++) {
      if ($(i + 2) == "-") continue
      d = got[i] - $(i + 2)
      if (d > slack || d < -slack) {
        print key ": at " found[key] ", belongs at " $3 " " $4 " " $5 " " $6
        bad++
        break
      }
    }
  }
  END {
    if (bad) { print bad " of " checked " controls are not where they belong"; exit 1 }
    print "all " checked " controls where they belong"
  }' "$2" "$1"
