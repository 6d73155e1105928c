#!/usr/bin/env bash
# The live show's pace and cost on Wayland (weston) and X11 (Xvfb), at 3x and
# fullscreen, and at 3x on the 60 Hz compositor (cage), in alternating
# rounds: every figure of the pacing checks' show_pacing.sh
# (tests/wayland), which checks nothing here. For
# final figures, on a quiet machine (load < 1.5) and again under load.
#   pacing_figures.sh BUILD_FOLDER [SECONDS] [ROUNDS]
# BUILD_FOLDER is a build with the tests (build/release: the pacing fixtures
# kelvor_clock_rate and present_times.so, and the show's files); SECONDS per run (default 10),
# ROUNDS of the five runs (default 3).
set -euo pipefail
pacing="$(cd "$(dirname "$0")/../.." && pwd)/tests/wayland/show_pacing.sh"
build=$(cd "$1" && pwd)
seconds=${2:-10}
rounds=${3:-3}
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
for round in $(seq "$rounds"); do
  echo "== round $round"
  for size in 3x fullscreen; do
    for mode in wayland x11; do
      "$pacing" "$mode" "$size" "$build/tests/pacing/kelvor_clock_rate" "$build/show" \
        "$build/tests/pacing/present_times.so" "$seconds" 2
    done
  done
  "$pacing" wayland-60hz 3x "$build/tests/pacing/kelvor_clock_rate" "$build/show" \
    "$build/tests/pacing/present_times.so" "$seconds" 2
done
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
