#!/usr/bin/env bash
# The arm64 build checked under qemu-aarch64 against this machine's own
# build of the same sources:
#  - the pixel library's unit tests, the effects against their first builds,
#    the scene tests, the demo's tests with the fake platform, the hardening
#    tests (the golden frames are left to the checksums below, which compare
#    every frame of the cycle on the same pictures at every level);
#  - the show's pictures, music, icons and screenshot that the arm64
#    generator and capture tool made, byte for byte;
#  - the capture tool's checksums of frames 1..8100 on the show's pictures
#    at every arm64 level, and on the tests' pictures with NEON, the one
#    path of the arm64 build's own (the portable path's cycle on them, the
#    longest under qemu, added only other data to the show's);
#  - the arm64 Debian package and the installed files (tests/packaging).
# Usage: run_under_qemu.sh NATIVE_BUILD ARM64_BUILD
set -uo pipefail
native=$1 arm=$2
qemu=(qemu-aarch64)
levels=(portable neon)
jobs=$(nproc)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {
  if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); return 1; fi
}

# Runs "$@" in the background with its output in $work/log.NAME; at most
# $jobs at once. finish waits for them all and counts the failures.
pending=()
start() {
  local name=$1; shift
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  ("$@" > "$work/log.$name" 2>&1; echo $? > "$work/status.$name") &
  pending+=("$name")
}
finish() {
  wait
  local name
  for name in "${pending[@]}"; do
    if [ "$(cat "$work/status.$name")" = 0 ]; then
      echo "ok: $name"
      grep -h '^\[  PASSED  \]\|identical' "$work/log.$name" | sed 's/^/    /'
    else
      echo "FAILED: $name"; sed 's/^/    /' "$work/log.$name" | tail -40
      failures=$((failures + 1))
    fi
  done
  pending=()
}

# Frames 1..8100 of the arm64 capture tool at one level against the native
# one's on the pictures in $1.
same_frames() {
  local pictures=$1 level=$2 name=$3
  "${qemu[@]}" "$arm/kelvor-capture" --assets "$pictures" --last 8100 --checksums --simd "$level" \
    > "$work/$name.$level.txt" 2>/dev/null || { echo "the arm64 capture failed"; return 1; }
  [ "$(wc -l < "$work/$name.$level.txt")" -eq 8100 ] || { echo "expected 8100 checksums"; return 1; }
  if ! cmp -s "$work/$name.native.txt" "$work/$name.$level.txt"; then
    echo "frames differ; first differing frame (native, arm64):"
    diff "$work/$name.native.txt" "$work/$name.$level.txt" | grep '^[<>]' | head -2
    return 1
  fi
  echo "8100 frames identical"
}

# The native checksums, the reference of every comparison: the native suite's
# (tests/capture/cycle_checksums.sh), or rendered here when it has not run.
if [ ! -f "$native/cycle-checksums/show.txt" ]; then
  bash "$(dirname "$0")/../capture/cycle_checksums.sh" "$native/kelvor-capture" \
    "$native/tests/tools/make_show_pictures" "$native/show" "$native/cycle-checksums" > /dev/null
fi
cp -r "$native/cycle-checksums/test-pictures" "$work/test-pictures"
for pictures in test-pictures show; do
  cp "$native/cycle-checksums/$pictures.txt" "$work/$pictures.native.txt"
done

# The longest runs first, so that the two processors stay busy.
start "scene tests" "${qemu[@]}" "$arm/tests/scene/kelvor_scene_tests" --gtest_brief=1 \
  '--gtest_filter=-EveryPath/GoldenFrames.*'
start "frames 1..8100, test pictures, neon" same_frames "$work/test-pictures" neon test-pictures
for level in "${levels[@]}"; do
  start "frames 1..8100, the show's pictures, $level" same_frames "$native/show" "$level" show
done
start "pixel library unit tests" "${qemu[@]}" "$arm/tests/kelvor_pixel_tests" --gtest_brief=1
start "effects against their first builds" "${qemu[@]}" "$arm/tests/equivalence/kelvor_equivalence_tests" --gtest_brief=1
start "demo with the fake platform" "${qemu[@]}" "$arm/tests/app/kelvor_demo_tests" --gtest_brief=1
start "hardening tests" "${qemu[@]}" "$arm/tests/hardening/kelvor_hardening_tests" --gtest_brief=1
finish

# What the arm64 generator and capture tool wrote during the build.
for file in $(source "$native/show_facts.sh" && echo "$KELVOR_SHOW_FILES"); do
  check "show file $file is the native build's, byte for byte" "cmp -s '$arm/show/$file' '$native/show/$file'"
done
for file in $(cd "$native/packaging" && find icons screenshots -name '*.png' | sort); do
  check "$file is the native build's, byte for byte" "cmp -s '$arm/packaging/$file' '$native/packaging/$file'"
done

# The package and the installed files, as for the native build.
packaging_status=0
(cd "$arm" && ctest -R '^packaging_' --output-on-failure) > "$work/log.packaging" 2>&1 || packaging_status=$?
check "the arm64 package and installation (tests/packaging)" "[ $packaging_status -eq 0 ]" ||
  cat "$work/log.packaging"

echo "$failures failed checks"
[ $failures -eq 0 ]
