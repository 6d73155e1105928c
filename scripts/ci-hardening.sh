#!/usr/bin/env bash
# The hardening checks for CI, in the clang sanitizer build (build-fuzz):
# each fuzz target for a bounded time from its seeds, the hardening tests,
# and the short soak run. A finding leaves the fuzzer's crash file in
# build-fuzz/fuzz-findings.
#   KELVOR_FUZZ_SECONDS  time per fuzz target (default 30)
#   KELVOR_SOAK_FRAMES   frames of the soak run (default 10000)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"
jobs="$(nproc)"
seconds=${KELVOR_FUZZ_SECONDS:-30}
frames=${KELVOR_SOAK_FRAMES:-10000}

"$root/scripts/packages.sh" show test

cd "$root"
cmake --preset fuzz > /dev/null
cmake --build --preset fuzz -j"$jobs" --target kelvor_fuzz_pcx kelvor_fuzz_scene kelvor_fuzz_seeds \
  kelvor_hardening_tests kelvor-soak

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build/fuzz-findings"
# Each target runs on one processor: both at once.
fuzz() {
  local target=$1 corpus status=0
  corpus=$(mktemp -d)
  "$build/kelvor_fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build/fuzz-findings/$target-" "$corpus" "$build/fuzz-seeds/$target" \
    > "$build/fuzz-findings/$target.log" 2>&1 || status=$?
  rm -rf "$corpus"
  return "$status"
}
targets=(pcx scene)
echo "== fuzz ${targets[*]} for $seconds s"
declare -A fuzzing
for target in "${targets[@]}"; do
  fuzz "$target" &
  fuzzing[$target]=$!
done
failed=0
for target in "${targets[@]}"; do
  status=0
  wait "${fuzzing[$target]}" || status=$?
  log="$build/fuzz-findings/$target.log"
  echo "-- $target"
  grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^stat::' "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log" >&2
    echo "FAIL: fuzz target $target found a fault (status $status); see $log" >&2
    failed=1
  fi
done
[ "$failed" -eq 0 ] || exit 1

echo "== hardening tests"
"$build/tests/hardening/kelvor_hardening_tests" --gtest_brief=1
echo "== soak, $frames frames"
"$build/kelvor-soak" "$frames"
