#!/usr/bin/env bash
# Renders frames 1..8100 (every title card and one cycle restart) with two
# builds of kelvor-capture and requires identical checksums for every frame.
set -euo pipefail
capture="$1"; reference="$2"; make_pictures="$3"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
"$make_pictures" "$work"
"$capture" --assets "$work" --last 8100 --checksums > "$work/ours.txt" 2>/dev/null
"$reference" --assets "$work" --last 8100 --checksums > "$work/reference.txt" 2>/dev/null
[ "$(wc -l < "$work/ours.txt")" -eq 8100 ] || { echo "expected 8100 checksums"; exit 1; }
if ! cmp -s "$work/ours.txt" "$work/reference.txt"; then
  echo "frames differ between the builds; first differing frame:"
  diff "$work/ours.txt" "$work/reference.txt" | head -3
  exit 1
fi
echo "8100 frames identical"
