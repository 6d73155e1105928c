#!/usr/bin/env bash
# Renders this build's checksums of frames 1..8100 (every title card and one
# cycle restart) once, on the tests' pictures and on the show's own, for the
# checks that compare another build's frames with them (another compiler,
# the Windows build under Wine, the arm64 build under qemu).
# Usage: cycle_checksums.sh KELVOR-CAPTURE MAKE_SHOW_PICTURES SHOW_FOLDER OUT_FOLDER
# Writes OUT_FOLDER/test-pictures/ (the pictures), OUT_FOLDER/test-pictures.txt
# and OUT_FOLDER/show.txt.
set -euo pipefail
capture=$1 make_pictures=$2 show=$3 out=$4
rm -rf "$out"
mkdir -p "$out/test-pictures"
"$make_pictures" "$out/test-pictures"
# One set on each processor.
"$capture" --assets "$out/test-pictures" --last 8100 --checksums > "$out/test-pictures.txt" 2>/dev/null &
"$capture" --assets "$show" --last 8100 --checksums > "$out/show.txt" 2>/dev/null
wait $!
for set in test-pictures show; do
  [ "$(wc -l < "$out/$set.txt")" -eq 8100 ] || { echo "FAIL: $set: expected 8100 checksums"; exit 1; }
done
echo "frames 1..8100 of this build on the tests' and the show's pictures in $out"
