#!/usr/bin/env bash
# What the live show costs to run and how evenly it paces its frames: the
# show in a virtual X server with the window at 1x (a desktop too small for
# 2x) and SDL's dummy audio driver. After a settling time it measures, over
# a window of SECONDS:
#  - the processor time the show used (user + system, from /proc), as a
#    share of one core;
#  - the frames presented per second and the intervals between presented
#    frames (median, 1st and 99th percentile), from the times the
#    present_times probe notes at every SDL_RenderPresent (with vsync a
#    frame held for several refreshes is presented once per refresh, so the
#    figures count presents; Xvfb has no vsync, and there each present is a
#    frame);
#  - with KELVOR being build/release/tests/pacing/kelvor_clock_rate (the show with its
#    frame clock on record), the clock's pace against real time: clock
#    units per second over the window (least squares over every frame),
#    against the 0.7 the music keeps.
# With PAUSED=1 the show is paused (P) before the measurement, which then
# gives what a paused show costs.
# Usage: show_cost.sh KELVOR SHOW_FOLDER PROBE.so [SECONDS] [SETTLE]
set -euo pipefail
kelvor=$(readlink -f "$1")
show=$2
probe=$(readlink -f "$3")
seconds=${4:-10}
settle=${5:-2}

work=$(mktemp -d)
pid=
# shellcheck source=../../tests/support/virtual_x_server.sh
. "$(dirname "$0")/../../tests/support/virtual_x_server.sh"
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  stop_virtual_x_server
  rm -rf "$work"
}
trap cleanup EXIT

start_virtual_x_server 400x300
export DISPLAY=$x_display
unset WAYLAND_DISPLAY

(cd "$show" && SDL_AUDIODRIVER=dummy KELVOR_PRESENT_LOG="$work/presents" KELVOR_CLOCK_LOG="$work/clock" \
  LD_PRELOAD="$probe" \
  exec "$kelvor") 2>"$work/stderr" &
pid=$!

# user + system time of the show, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
monotonic_ns() { awk '{ printf "%.0f\n", $1 * 1e9 }' /proc/uptime; }

sleep "$settle"
window=$(xdotool search --name '^KELVOR$' | head -n 1)
xdotool windowfocus "$window" 2>/dev/null || true
if [ "${PAUSED:-0}" = 1 ]; then
  xdotool key --window "$window" p
  sleep 0.5
fi
kill -0 "$pid" 2>/dev/null || { echo "the show ended early:" >&2; cat "$work/stderr" >&2; exit 1; }
cpu0=$(cpu_ticks); t0=$(date +%s%N); m0=$(python3 -c 'import time; print(time.monotonic_ns())')
sleep "$seconds"
cpu1=$(cpu_ticks); t1=$(date +%s%N); m1=$(python3 -c 'import time; print(time.monotonic_ns())')

xdotool key --window "$window" Escape
for _ in $(seq 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
wait "$pid" || true
pid=

python3 - "$work/presents" "$work/clock" "$m0" "$m1" "$cpu0" "$cpu1" "$t0" "$t1" "$(getconf CLK_TCK)" <<'PY'
import os, sys
path, clock_path = sys.argv[1:3]
m0, m1, cpu0, cpu1, t0, t1, hz = map(int, sys.argv[3:])
if os.path.exists(clock_path):
    notes = [(int(t), float(c)) for t, c in (line.split() for line in open(clock_path)) if m0 <= int(t) <= m1]
    if len(notes) >= 2:
        # Least squares over every frame: one frame's timing hardly moves it.
        ts = [(t - notes[0][0]) / 1e9 for t, _ in notes]
        cs = [c for _, c in notes]
        tm, cm = sum(ts) / len(ts), sum(cs) / len(cs)
        rate = sum((t - tm) * (c - cm) for t, c in zip(ts, cs)) / sum((t - tm) ** 2 for t in ts)
        print(f"clock {rate:.4f} units per second = {rate / 0.7:.4f} x real time "
              f"({(rate / 0.7 - 1) * 100:+.2f} %, {(rate / 0.7 - 1) * 600:+.1f} s in ten minutes)")
times = [int(line) for line in open(path) if m0 <= int(line) <= m1]
wall = (t1 - t0) / 1e9
print(f"cpu {100 * (cpu1 - cpu0) / hz / wall:.1f} % of one core over {wall:.1f} s")
if len(times) < 2:
    print(f"frames {len(times)}")
    sys.exit(0)
gaps = sorted((b - a) / 1e6 for a, b in zip(times, times[1:]))
def pct(p):
    return gaps[min(len(gaps) - 1, int(p / 100 * len(gaps)))]
print(f"frames {len(times)} in {(m1 - m0) / 1e9:.2f} s: {len(times) / ((m1 - m0) / 1e9):.2f} per second")
print(f"interval ms: median {pct(50):.3f}, 1st percentile {pct(1):.3f}, "
      f"99th percentile {pct(99):.3f}, min {gaps[0]:.3f}, max {gaps[-1]:.3f}")
PY
