#!/usr/bin/env bash
# Installs what is missing, builds KELVOR and runs every test:
#  1. the frame renderer built with clang (preset clang), so that the main
#     suite can require it to render the very same frames as the g++ build;
#  2. the hardening checks in the clang AddressSanitizer/UBSan build (preset
#     fuzz): each fuzz target for a bounded time, the hardening tests and a
#     short soak run;
#  3. the rest of the suite in the same build, under the same sanitizers;
#  4. the web build (build-web/site, as ./scripts/web.sh makes it);
#  5. the release build (preset release) and the Windows build (build-windows,
#     as ./scripts/windows.sh makes it);
#  6. the whole suite in the release build, the show under
#     Xvfb, the web build in Node.js, headless Chromium and Firefox and the
#     Windows build under Wine included, the soak left to step 2 (on a first
#     run, the Windows build and its tests come last: the rest of the suite
#     runs while the Windows libraries are still building);
#  7. the arm64 build under qemu-aarch64 against the release build.
# Two pieces of work run beside the others at a low priority, so that
# they take the processors only when the steps above leave them idle (the
# live tests spend most of theirs waiting on real time): the arm64 build with
# its checks (step 7), and the Windows libraries of step 5 when they are not
# built yet (the browsers and emscripten install beside steps 1 to 3 as
# well). Their output follows when they end; build-logs/ keeps it, and the
# time each step and each of them took (build-logs/times, printed last).
#
#   ./scripts/test.sh --quick   the loop while changing the show: the unit
#                               tests, the golden frames at every SIMD level
#                               and a short live show under Xvfb, in the
#                               release build (ctest --preset quick)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
cd "$root"

if [ "${1:-}" = --quick ]; then
  "$root/scripts/packages.sh" show test
  cmake --preset release > /dev/null
  cmake --build --preset release -j"$jobs"
  exec ctest --preset quick -j"$jobs"
fi

# Where the time went: build-logs/times has a line for each step and each
# job beside them: its start and end in seconds into the run, how busy both
# processors were meanwhile (from the machine's tick counts; a low share is
# a step that leaves one idle) and its own processor seconds, those of the
# step's commands or of the job. record START TICKS NAME [SECONDS] appends
# one line.
logs="$root/build-logs"
rm -rf "$logs"
mkdir -p "$logs"
processor_ticks() {
  awk '$1 == "cpu" { busy = $2 + $3 + $4 + $7 + $8 + $9; print busy, busy + $5 + $6; exit }' /proc/stat
}
record() {
  local started=$1 ticks=$2 name=$3 seconds=${4:-} busy_then total_then busy_now total_now
  read -r busy_then total_then <<< "$ticks"
  read -r busy_now total_now <<< "$(processor_ticks)"
  printf '%5d %5d %4d%% %5s  %s\n' "$started" "$SECONDS" \
    $(( (busy_now - busy_then) * 100 / (total_now - total_then > 0 ? total_now - total_then : 1) )) \
    "$seconds" "$name" >> "$logs/times"
}
# The processor seconds, user and system, of a shell's children that
# ended, from the output of its "times".
children_seconds() {
  awk 'NR == 2 { split($1, u, /[ms]/); split($2, s, /[ms]/); printf "%d\n", u[1] * 60 + u[2] + s[1] * 60 + s[2] + 0.5 }'
}
run_ticks=$(processor_ticks)

# Work beside the steps: beside NICENESS NAME COMMAND... starts it at that
# low priority with its output in build-logs/NAME.log, in a process group of
# its own (set -m) that calm NAME can lower to the lowest priority; finish
# NAME waits for it, prints its output and fails the run when it failed.
declare -A beside_pids beside_waited
set -m
beside() {
  local niceness=$1 name=$2 started=$SECONDS ticks; shift 2
  ticks=$(processor_ticks)
  (status=0
   nice -n "$niceness" "$@" < /dev/null > "$logs/$name.log" 2>&1 || status=$?
   echo "$status" > "$logs/$name.status"
   times > "$logs/$name.times"
   record "$started" "$ticks" "$name (beside)" "$(children_seconds < "$logs/$name.times")") &
  beside_pids[$name]=$!
}
calm() {
  renice -n 19 -g "${beside_pids[$1]}" > /dev/null 2>&1 || true
}
wait_beside() {
  [ -n "${beside_waited[$1]:-}" ] || { wait "${beside_pids[$1]}" || true; beside_waited[$1]=1; }
}
finish() {
  local name=$1
  wait_beside "$name"
  echo "== $name (beside the other steps)"
  cat "$logs/$name.log"
  [ "$(cat "$logs/$name.status")" = 0 ] || { echo "FAIL: $name; see $logs/$name.log" >&2; exit 1; }
}
# Sets steps_seconds to the processor seconds of the steps' commands so far:
# the shell's children's, less those of the jobs beside that have ended
# (each is waited for here, so that its seconds are in the shell's).
steps_seconds=0
count_steps_seconds() {
  local name beside=0
  for name in "${!beside_pids[@]}"; do
    [ -f "$logs/$name.times" ] || continue
    wait_beside "$name"
    beside=$((beside + $(children_seconds < "$logs/$name.times")))
  done
  times > "$logs/steps.times"
  steps_seconds=$(( $(children_seconds < "$logs/steps.times") - beside ))
}
# step NAME: the heading of the next step, which ends where the next begins.
step_name="" step_started=0 step_ticks="" step_seconds=0
step() {
  count_steps_seconds
  [ -z "$step_name" ] || record "$step_started" "$step_ticks" "$step_name" $((steps_seconds - step_seconds))
  step_name=$1 step_started=$SECONDS step_ticks=$(processor_ticks) step_seconds=$steps_seconds
  [ -z "$step_name" ] || echo "== $step_name"
}
# Work left running beside when the run fails ends with it, group by group.
trap 'for pid in "${beside_pids[@]}"; do kill -- "-$pid" 2>/dev/null || true; done' EXIT

# Every package of every step; the scripts below install nothing. Installing
# leaves a processor idle, so work starts as soon as its own set is in: the
# Windows libraries (minutes of both processors on a fresh machine), then the
# arm64 build, then the steps below while the browsers and emscripten
# install, which only the web build and the suite need. The libraries go
# before the arm64 build when both wait for idle processors: the suite needs
# them first. The arm64 build waits for the test set, which brings ccache:
# configured without it, it would be built again through it for its checks.
step "packages"
"$root/scripts/packages.sh" show windows
beside 10 "Windows libraries" env KELVOR_PACKAGES_READY=1 "$root/scripts/windows.sh" --libraries
"$root/scripts/packages.sh" show arm64 test
beside 19 "arm64 build" env KELVOR_PACKAGES_READY=1 "$root/scripts/arm64.sh"
beside 0 "web packages" "$root/scripts/packages.sh" web
export KELVOR_PACKAGES_READY=1

step "clang build of the frame renderer"
cmake --preset clang > /dev/null
cmake --build --preset clang -j"$jobs"

step "hardening: fuzzing, soak"
"$root/scripts/ci-hardening.sh"

# The rest of the suite in the same build (the test preset leaves out what
# the step above ran and what only renders references for other builds).
# clang's UBSan sees more than g++'s: an offset from a null pointer, for one.
step "the suite under the sanitizers"
cmake --build --preset fuzz -j"$jobs"
ctest --preset fuzz -j"$jobs"

finish "web packages"
step "the web build"
"$root/scripts/web.sh" --build

step "the suite's build"
cmake --preset release \
  -DKELVOR_REFERENCE_CAPTURE="$root/build-clang/kelvor-capture" \
  -DKELVOR_WEB_SITE="$root/build-web/site" -DKELVOR_WINDOWS_BUILD="$root/build-windows"
cmake --build --preset release -j"$jobs"

# This build's frames of the cycle first: the arm64 checks beside the suite
# compare with them, as the Windows and clang checks within it do.
step "the frames of the cycle"
ctest --preset release -R '^capture_cycle_checksums$'
beside 19 "arm64 checks" bash -c '
  until [ -f "$1/arm64 build.status" ]; do sleep 1; done
  [ "$(cat "$1/arm64 build.status")" = 0 ] || { echo "the arm64 build failed"; exit 1; }
  "$2/scripts/arm64.sh" --test "$2/build"' arm64 "$logs" "$root"
# The soak ran once, under the sanitizers, which see more than this build.
suite=(ctest --preset release -j"$jobs" --fixture-exclude-setup cycle_checksums)
rest=(-LE soak) rest_name="the suite"
if [ ! -f "$logs/Windows libraries.status" ]; then
  # The libraries are still building (a first run): the rest of the suite
  # runs meanwhile, its live tests leaving them much of the processors, at
  # the lowest priority so that they cannot upset the pacing checks; the
  # Windows build and its tests under Wine come last.
  calm "Windows libraries"
  step "the suite but for the Windows build"
  "${suite[@]}" -LE 'soak|windows'
  rest=(-L windows) rest_name="the Windows build under Wine"
fi
finish "Windows libraries"
step "the Windows build"
"$root/scripts/windows.sh"
step "$rest_name"
"${suite[@]}" "${rest[@]}"

step "the arm64 checks' end"
finish "arm64 build"
finish "arm64 checks"

step ""
echo "== where the time went: start and end in seconds into the run, both processors' busy share, processor seconds"
sort -n "$logs/times"
times > "$logs/run.times"
record 0 "$run_ticks" "the whole run" "$(children_seconds < "$logs/run.times")"
tail -n 1 "$logs/times"
