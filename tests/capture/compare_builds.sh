#!/usr/bin/env bash
# Renders frames 1..8100 (every title card and one cycle restart) with
# another build's kelvor-capture and requires the checksums of this build
# for every frame (cycle_checksums.sh rendered them).
# Usage: compare_builds.sh REFERENCE_CAPTURE CYCLE_CHECKSUMS_FOLDER
set -euo pipefail
reference="$1"; checksums="$2"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
"$reference" --assets "$checksums/test-pictures" --last 8100 --checksums > "$work/reference.txt" 2>/dev/null
[ "$(wc -l < "$work/reference.txt")" -eq 8100 ] || { echo "expected 8100 checksums"; exit 1; }
if ! cmp -s "$checksums/test-pictures.txt" "$work/reference.txt"; then
  echo "frames differ between the builds; first differing frame:"
  diff "$checksums/test-pictures.txt" "$work/reference.txt" | head -3
  exit 1
fi
echo "8100 frames identical"
