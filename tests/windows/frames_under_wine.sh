#!/usr/bin/env bash
# The Windows capture tool renders frames 1..8100 (every title card and one
# cycle restart) with the same checksums as this machine's build, on the
# tests' pictures and on the show's own. Prints both builds' render time per
# frame from their summaries, measured in the same run.
# Usage: frames_under_wine.sh KELVOR-CAPTURE.EXE KELVOR-CAPTURE MAKE_SHOW_PICTURES SHOW_FOLDER
set -euo pipefail
windows=$1; native=$2; make_pictures=$3; show=$4
work=$(mktemp -d)
# The Wine tests take turns; the next one must not find this one's Wine
# server (and its desktop, bound to a display or to none) still running.
trap 'rm -rf "$work"; wineserver --wait' EXIT
mkdir "$work/test-pictures"
"$make_pictures" "$work/test-pictures"

failed=0
for set in test-pictures show; do
  folder=$work/test-pictures
  [ "$set" = show ] && folder=$show
  # Wine hands the program a Unix path as Z:\..., the drive it maps to /.
  wine "$windows" --assets "$folder" --last 8100 --checksums > "$work/windows.txt" 2> "$work/windows.err" \
    || { echo "FAIL: $set: the Windows capture tool failed:"; cat "$work/windows.err"; failed=1; continue; }
  "$native" --assets "$folder" --last 8100 --checksums > "$work/native.txt" 2> "$work/native.err"
  tr -d '\r' < "$work/windows.txt" > "$work/windows.lf"
  if [ "$(wc -l < "$work/windows.lf")" -ne 8100 ]; then
    echo "FAIL: $set: $(wc -l < "$work/windows.lf") checksums from the Windows build, not 8100"
    failed=1
  elif ! cmp -s "$work/windows.lf" "$work/native.txt"; then
    echo "FAIL: $set: frames differ; first differing frames (Windows < > native):"
    diff "$work/windows.lf" "$work/native.txt" | head -5
    failed=1
  else
    echo "ok: $set: frames 1..8100 identical"
  fi
  echo "   Windows under Wine: $(grep -o 'render time per frame.*' "$work/windows.err" | tr -d '\r')"
  echo "   native:             $(grep -o 'render time per frame.*' "$work/native.err")"
done
[ "$failed" -eq 0 ] && echo PASS
exit "$failed"
