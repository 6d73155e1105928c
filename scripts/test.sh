#!/usr/bin/env bash
# Installs what is missing, builds every build of KELVOR and runs every test.
#   ./scripts/test.sh          all of it, as CI runs it
#   ./scripts/test.sh --quick  the loop while changing the show: unit tests,
#                              golden frames at every SIMD level and a short
#                              live show under Xvfb, in build/release
# Each build is a preset of CMakePresets.json with a folder of its own under
# build/, and a test preset of the same name: the labels it takes or leaves
# decide which tests run in which build. Timing checks run alone (RUN_SERIAL).
# The log gives each step's start in seconds (build/logs/steps) and ctest
# each test's time.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --quick ]; then
  scripts/packages.sh show test
  cmake --preset release > /dev/null
  cmake --build --preset release
  exec ctest --preset quick
fi

logs=build/logs
rm -rf "$logs" build/tmp
mkdir -p "$logs" build/tmp
# Whatever a test leaves in its temporary folder fails the run at the end.
export TMPDIR="$PWD/build/tmp"
step() { printf '%5d s  %s\n' "$SECONDS" "$1" | tee -a "$logs/steps"; }

# The Windows libraries are built once per machine, from Debian's sources:
# minutes of both processors on a fresh one. They build beside the packages
# and the other builds, and only the Windows build waits for them.
step "packages"
scripts/packages.sh show windows
scripts/windows.sh --libraries > "$logs/windows-libraries.log" 2>&1 &
libraries=$!
scripts/packages.sh test web arm64

for preset in release clang sanitizers arm64; do
  step "build: $preset"
  cmake --preset "$preset" > /dev/null
  cmake --build --preset "$preset"
done
step "build: web"
scripts/web.sh --build
step "tests: sanitizers"
ctest --preset sanitizers

step "build: windows (after its libraries)"
wait "$libraries" || { cat "$logs/windows-libraries.log"; exit 1; }
cat "$logs/windows-libraries.log"
scripts/windows.sh

# A live test that meets a fault of a server's own (Wine's heap, once in
# some twenty runs) gets a second chance, and the log names it.
step "tests: release"
ctest --preset release --repeat until-pass:2 | tee "$logs/release-tests.log"
retried=$(sed -n 's/^ *[0-9]*\/*[0-9]* *Test *#[0-9]*: \([^ ]*\) .*\*\*\*\(Failed\|Timeout\|Exception\).*/\1/p' \
  "$logs/release-tests.log" | sort -u)
[ -z "$retried" ] || echo "passed on a second run: $retried"
# After the release suite, which renders the frames they are compared with.
step "tests: arm64, under qemu-aarch64"
ctest --preset arm64

step "leftovers"
if [ -n "$(ls -A "$TMPDIR")" ]; then
  echo "FAIL: the tests left files in their temporary folder:" >&2
  ls -A "$TMPDIR" >&2
  exit 1
fi
step "done"
