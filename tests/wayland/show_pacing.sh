#!/usr/bin/env bash
# How the live show paces its frames at the window's real size, as a Wayland
# client of a real compositor (weston, see weston_session.sh; or, as
# wayland-60hz, cage, whose frames follow a true 60 Hz clock: cage_session.sh)
# or as an X11 client of a virtual X server (Xvfb, which has no vsync: timed
# presents). The show runs at 3x (960x600) or fullscreen (weston's 1280x800
# output; cage's output is 960x600 at 3x, 1280x800 fullscreen; Xvfb's whole
# 1400x900 screen), with SDL's dummy audio driver. After a settling time it
# measures, over SECONDS:
#  - frames a second (the frame clock's notes, one per drawn frame) and
#    presents a second, with the intervals between presents (median, 1st and
#    99th percentile), from the present_times probe;
#  - the clock's pace against real time (least squares over every frame);
#  - the processor time the show used, as a share of one core;
#  - on Wayland, the compositor's own cadence over the same span: the
#    presentation intervals that weston reports to a second client
#    (weston-presentation-shm) beside the show; cage has no presentation
#    times, and there it is the timestamps (whole milliseconds) cage gives
#    the frame callbacks of a second client (weston-simple-shm), read from
#    that client's protocol log.
# Usage: show_pacing.sh [--check] wayland|wayland-60hz|x11 3x|fullscreen CLOCK_RATE SHOW_FOLDER PROBE.so [SECONDS] [SETTLE]
#   CLOCK_RATE is tests/pacing's kelvor_clock_rate (the show with its clock on
#   record), PROBE.so its present_times.so.
# With --check it fails when the show is not paced:
#  - on Wayland, when its presents do not wait for the compositor: more
#    frames a second than the compositor repaints, or a typical frame that is
#    not one compositor interval long;
#  - on the 60 Hz compositor also when it draws fewer frames than the
#    compositor repaints (by more than 10 %: a frame presented twice, or
#    presents that miss repaints);
#  - on X11, when its timed presents are not a 60 Hz frame apart: fewer than
#    a quarter of the intervals within 0.25 ms of 16.667 ms and the median
#    off it by more than 0.2 ms (as when a present's cost is added to every
#    frame);
#  - when the clock is off real time by more than 4 % (a show that presented
#    too often fell 6-9 % behind; on Wayland only where the
#    compositor repaints no faster than 62.5 Hz: the frame clock needs 16 ms
#    between frames).
# These hold on a busy machine too: a late frame moves neither the typical
# frame nor the clock, which counts the time that really passed. A machine
# busy with other work can still upset one run of a few seconds, where a
# fault in the pacing upsets every run: the test command runs a failed
# check once more (ctest --repeat until-pass).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
check=
[ "${1:-}" = --check ] && { check=yes; shift; }
mode=$1
size=$2
kelvor=$(readlink -f "$3")
show=$4
probe=$(readlink -f "$5")
seconds=${6:-10}
settle=${7:-2}
case "$mode" in wayland|wayland-60hz|x11) ;; *) echo "mode is wayland, wayland-60hz or x11, not $mode" >&2; exit 2 ;; esac
case "$size" in 3x|fullscreen) ;; *) echo "size is 3x or fullscreen, not $size" >&2; exit 2 ;; esac

work=$(mktemp -d)
pid=
reference=
# shellcheck source=weston_session.sh
. "$here/weston_session.sh"
# shellcheck source=cage_session.sh
. "$here/cage_session.sh"
cleanup() {
  if [ -n "$reference" ]; then end_process "$reference" "the second client"; fi
  if [ -n "$pid" ]; then end_process "$pid" "the show"; fi
  stop_cage_session
  stop_session
  rm -rf "$work"
}
trap cleanup EXIT

# fail [MESSAGE]: without one, after a wait_for that said what it gave up on.
fail() {
  [ $# -eq 0 ] || echo "FAIL: $*" >&2
  echo "--- stderr of the show:" >&2
  cat "$work/stderr" >&2
  exit 1
}

if [ "$mode" = wayland ]; then
  start_session
  video=(SDL_VIDEODRIVER=wayland)
elif [ "$mode" = wayland-60hz ]; then
  if [ "$size" = 3x ]; then start_cage_session 960x600; else start_cage_session 1280x800; fi
  video=(SDL_VIDEODRIVER=wayland)
else
  start_x_server
  video=(SDL_VIDEODRIVER=x11 DISPLAY="$X_DISPLAY")
  unset WAYLAND_DISPLAY
fi
if [ "$mode" = wayland ]; then
  # The compositor's cadence beside the show: weston tells this client when
  # each of its frames reached the output. Started first, so that the show's
  # window, opened last, has the keyboard.
  weston-presentation-shm -f > "$work/reference" 2>&1 &
  reference=$!
elif [ "$mode" = wayland-60hz ]; then
  WAYLAND_DEBUG=client weston-simple-shm > /dev/null 2> "$work/reference" &
  reference=$!
fi
arguments=()
[ "$size" = fullscreen ] && arguments=(--fullscreen)

(cd "$show" && exec env "${video[@]}" SDL_AUDIODRIVER=dummy KELVOR_PRESENT_LOG="$work/presents" \
  KELVOR_CLOCK_LOG="$work/clock" LD_PRELOAD="$probe" "$kelvor" "${arguments[@]}") 2>"$work/stderr" &
pid=$!

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
monotonic_ns() { python3 -c 'import time; print(time.monotonic_ns())'; }

sleep "$settle"
kill -0 "$pid" 2>/dev/null || fail "the show ended early"
cpu0=$(cpu_ticks); t0=$(date +%s%N); m0=$(monotonic_ns)
sleep "$seconds"
cpu1=$(cpu_ticks); t1=$(date +%s%N); m1=$(monotonic_ns)
if [ -n "$reference" ]; then end_process "$reference" "the second client"; reference=; fi

if [ "$mode" != x11 ]; then
  # On a busy machine weston can miss a key; more presses then, a second
  # apart.
  for _ in 1 2 3; do
    press Escape
    wait_for 1 "the show to end after Esc" process_gone "$pid" 2>/dev/null && break
  done
else
  window=$(DISPLAY=$X_DISPLAY xdotool search --name '^KELVOR$' | head -n 1)
  DISPLAY=$X_DISPLAY xdotool windowfocus "$window" 2>/dev/null || true
  DISPLAY=$X_DISPLAY xdotool key --window "$window" Escape
fi
wait_for 2 "the show to end after Esc" process_gone "$pid" || fail
wait "$pid" || true
pid=

python3 - "$mode" "$size" "$check" "$work" "$m0" "$m1" "$cpu0" "$cpu1" "$t0" "$t1" "$(getconf CLK_TCK)" <<'PY'
import os, re, sys
mode, size, check, work = sys.argv[1:5]
m0, m1, cpu0, cpu1, t0, t1, hz = map(int, sys.argv[5:])
span = (m1 - m0) / 1e9
problems = []

def percentile(values, p):
    return values[min(len(values) - 1, int(p / 100 * len(values)))]

print(f"{mode} at {size}:")
notes = [(int(t), float(c)) for t, c in (line.split() for line in open(f"{work}/clock")) if m0 <= int(t) <= m1]
frames_per_second = len(notes) / span
ts = [(t - notes[0][0]) / 1e9 for t, _ in notes]
cs = [c for _, c in notes]
tm, cm = sum(ts) / len(ts), sum(cs) / len(cs)
rate = sum((t - tm) * (c - cm) for t, c in zip(ts, cs)) / sum((t - tm) ** 2 for t in ts)
print(f"  frames {len(notes)} in {span:.2f} s: {frames_per_second:.2f} per second")
print(f"  clock {rate / 0.7:.4f} x real time ({(rate / 0.7 - 1) * 100:+.2f} %)")

times = [int(line) for line in open(f"{work}/presents") if m0 <= int(line) <= m1]
gaps = sorted((b - a) / 1e6 for a, b in zip(times, times[1:]))
median = percentile(gaps, 50)
print(f"  presents {len(times) / span:.2f} per second, interval ms: median {median:.3f}, "
      f"1st percentile {percentile(gaps, 1):.3f}, 99th percentile {percentile(gaps, 99):.3f}, max {gaps[-1]:.3f}")
print(f"  cpu {100 * (cpu1 - cpu0) / hz / ((t1 - t0) / 1e9):.1f} % of one core")

if mode != "x11":
    if mode == "wayland":
        # weston-presentation-shm: "p2p  16667 us", the time from its
        # previous frame's presentation to this one's.
        intervals = sorted(int(m.group(1)) / 1000 for m in re.finditer(r"p2p\s+(\d+) us", open(f"{work}/reference").read()))
        intervals = [g for g in intervals if g > 0]
        cadence = percentile(intervals, 50) if intervals else 0
    else:
        # weston-simple-shm's protocol log: "wl_callback@7.done(1234567)",
        # the moment (monotonic clock, whole milliseconds) cage sent the
        # callback, once a repaint; the sync callbacks' serials fall outside
        # the span. In whole milliseconds the intervals are 16 and 17 ms, and
        # the cadence is their mean.
        stamps = [int(m.group(1)) for m in re.finditer(r"wl_callback[@#]\d+\.done\((\d+)\)", open(f"{work}/reference").read())]
        stamps = [t for t in stamps if m0 / 1e6 <= t <= m1 / 1e6]
        intervals = sorted(b - a for a, b in zip(stamps, stamps[1:]))
        cadence = (stamps[-1] - stamps[0]) / len(intervals) if intervals else 0
    if len(intervals) < 10:
        problems.append(f"the compositor reported {len(intervals)} frames to the second client")
    else:
        print(f"  compositor: interval ms median {percentile(intervals, 50):.3f}, 1st percentile {percentile(intervals, 1):.3f}, "
              f"99th percentile {percentile(intervals, 99):.3f} ({1000 / cadence:.2f} Hz)")
        if mode == "wayland-60hz":
            low, high = percentile(gaps, 1), percentile(gaps, 99)
            print(f"  against 60 Hz: {frames_per_second:.2f} frames a second "
                  f"({'within' if 59.5 <= frames_per_second <= 60.5 else 'outside'} 59.5-60.5), presents "
                  f"{low:.3f}-{high:.3f} ms apart from 1st to 99th percentile "
                  f"({'within' if max(abs(low - 1000 / 60), abs(high - 1000 / 60)) <= 2 else 'not within'} 2 ms of 16.667)")
        # Presents that wait for the compositor come no faster than it
        # repaints, and a typical frame is one of its intervals.
        if frames_per_second > 1000 / cadence * 1.05:
            problems.append(f"{frames_per_second:.1f} frames a second, faster than the compositor's "
                            f"{1000 / cadence:.1f} repaints: the presents do not wait for it")
        # The frame clock needs 16 ms between frames to find a period
        # passed; a compositor faster than 60 Hz leaves it waiting.
        if cadence >= 16.0 and abs(rate / 0.7 - 1) > 0.04:
            problems.append(f"the clock runs at {rate / 0.7:.4f} x real time")
        if round(median / cadence) != 1:
            problems.append(f"a typical frame lasts {median:.2f} ms, {median / cadence:.2f} of the "
                            f"compositor's intervals")
        # At 60 Hz a frame is one repaint: a new frame at every one of them.
        if mode == "wayland-60hz" and frames_per_second < 1000 / cadence * 0.9:
            problems.append(f"{frames_per_second:.1f} frames a second where the compositor repaints "
                            f"{1000 / cadence:.1f} times")
else:
    if abs(rate / 0.7 - 1) > 0.04:
        problems.append(f"the clock runs at {rate / 0.7:.4f} x real time")
    # A sleep that wakes late on a busy machine moves the cadence on, and
    # the frames after it keep their 16.67 ms again: many intervals are a
    # frame exactly, or (where the present's own cost varies, as fullscreen)
    # the typical one is. A cost added to every frame leaves neither.
    on_time = sum(abs(g - 1000 / 60) <= 0.25 for g in gaps) / len(gaps)
    print(f"  {100 * on_time:.0f} % of the intervals within 0.25 ms of 16.667")
    if on_time < 0.25 and abs(median - 1000 / 60) > 0.2:
        problems.append(f"only {100 * on_time:.0f} % of the timed presents are a 60 Hz frame apart")

if check and problems:
    for p in problems:
        print("FAIL: " + p, file=sys.stderr)
    sys.exit(1)
PY
