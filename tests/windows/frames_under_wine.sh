#!/usr/bin/env bash
# The Windows capture tool renders frames 1..8100 (every title card and one
# cycle restart) with the same checksums as this machine's build, on the
# tests' pictures and on the show's own (this build's checksums rendered once
# by tests/capture/cycle_checksums.sh). Prints the Windows build's render
# time per frame from its summary.
# Usage: frames_under_wine.sh KELVOR-CAPTURE.EXE CYCLE_CHECKSUMS_FOLDER SHOW_FOLDER
set -euo pipefail
windows=$1; checksums=$2; show=$3
work=$(mktemp -d)
# shellcheck source=../support/wait_for.sh
. "$(dirname "$0")/../support/wait_for.sh"
# The Wine tests take turns; the next one must not find this one's Wine
# server (and its desktop, bound to a display or to none) still running.
trap 'rm -rf "$work"; within 30 "the Wine server to end" wineserver --wait' EXIT
failed=0
for set in test-pictures show; do
  folder=$checksums/test-pictures
  [ "$set" = show ] && folder=$show
  # Wine hands the program a Unix path as Z:\..., the drive it maps to /.
  within 60 "the Windows capture tool's checksums of the $set pictures" wine "$windows" --assets "$folder" --last 8100 --checksums > "$work/windows.txt" 2> "$work/windows.err" \
    || { echo "FAIL: $set: the Windows capture tool failed:"; cat "$work/windows.err"; failed=1; continue; }
  cp "$checksums/$set.txt" "$work/native.txt"
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
done
[ "$failed" -eq 0 ] && echo PASS
exit "$failed"
