#!/usr/bin/env bash
# The live show's pace and cost on Wayland (weston) and X11 (Xvfb), at 3x and
# fullscreen, and at 3x on the 60 Hz compositor (cage), in alternating
# rounds: every figure of show_pacing.sh, which checks nothing here. For
# final figures, on a quiet machine (load < 1.5) and again under load.
#   pacing_figures.sh BUILD_FOLDER [SECONDS] [ROUNDS]
# BUILD_FOLDER is a build with the benchmarks (kelvor_clock_rate, the
# present_times probe) and the show's files; SECONDS per run (default 10),
# ROUNDS of the five runs (default 3).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
seconds=${2:-10}
rounds=${3:-3}
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
for round in $(seq "$rounds"); do
  echo "== round $round"
  for size in 3x fullscreen; do
    for mode in wayland x11; do
      "$here/show_pacing.sh" "$mode" "$size" "$build/bench/kelvor_clock_rate" "$build/show" \
        "$build/bench/present_times.so" "$seconds" 2
    done
  done
  "$here/show_pacing.sh" wayland-60hz 3x "$build/bench/kelvor_clock_rate" "$build/show" \
    "$build/bench/present_times.so" "$seconds" 2
done
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
