#!/usr/bin/env bash
# Renders frames 1..8100 (every title card and one cycle restart) with
# another build's kelvor-capture (another compiler's, or another machine's
# under its emulator) and requires the checksums this build rendered for
# every frame (cycle_checksums.sh).
# Usage: compare_builds.sh EXPECTED_CHECKSUMS PICTURES_FOLDER CAPTURE_COMMAND...
#   e.g. compare_builds.sh build/release/cycle-checksums/show.txt build/release/show \
#          qemu-aarch64 build/arm64/kelvor-capture --simd neon
set -euo pipefail
expected=$1 pictures=$2
shift 2
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
[ -f "$expected" ] || { echo "no checksums to compare with: $expected (the release suite's capture_cycle_checksums writes them)"; exit 1; }
"$@" --assets "$pictures" --last 8100 --checksums > "$work/other.txt" 2>/dev/null \
  || { echo "the other build's capture failed: $*"; exit 1; }
[ "$(wc -l < "$work/other.txt")" -eq 8100 ] || { echo "expected 8100 checksums"; exit 1; }
if ! cmp -s "$expected" "$work/other.txt"; then
  echo "frames differ between the builds; first differing frame (this build, the other):"
  diff "$expected" "$work/other.txt" | grep '^[<>]' | head -2
  exit 1
fi
echo "8100 frames identical"
