#!/usr/bin/env bash
# Installs what is missing, builds KELVOR and runs every test:
#  1. the frame renderer built with clang (preset clang), so that the main
#     suite can require it to render the very same frames as the g++ build;
#  2. the hardening checks in a clang AddressSanitizer/UBSan build (preset
#     fuzz): each fuzz target for a bounded time, the hardening tests and a
#     short soak run;
#  3. the rest of the suite under AddressSanitizer and UBSan (preset asan);
#  4. the web build (build-web/site, as ./scripts/web.sh makes it);
#  5. the Windows build (build-windows, as ./scripts/windows.sh makes it);
#  6. the whole suite in the release build (preset release), the show under
#     Xvfb, the web build in Node.js and headless Chromium and the Windows
#     build under Wine included, the soak left to step 2;
#  7. the arm64 build under qemu-aarch64 against the release build.
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

# Every package of every step, in one go; the scripts below install nothing.
"$root/scripts/packages.sh" show test web windows arm64
export KELVOR_PACKAGES_READY=1

echo "== clang build of the frame renderer"
cmake --preset clang > /dev/null
cmake --build --preset clang -j"$jobs"

echo "== hardening: fuzzing, soak"
"$root/scripts/ci-hardening.sh"

# The hardening tests and the soak ran under clang's sanitizers just now;
# here the rest of the suite runs under g++'s.
echo "== the suite under the sanitizers"
cmake --preset asan > /dev/null
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs" -LE hardening

echo "== the web build"
"$root/scripts/web.sh" --build

echo "== the Windows build (tested under Wine in the suite)"
"$root/scripts/windows.sh"

echo "== the suite"
cmake --preset release \
  -DKELVOR_REFERENCE_CAPTURE="$root/build-clang/kelvor-capture" \
  -DKELVOR_WEB_SITE="$root/build-web/site" -DKELVOR_WINDOWS_BUILD="$root/build-windows"
cmake --build --preset release -j"$jobs"
# The soak ran once, under the sanitizers, which see more than this build.
ctest --preset release -j"$jobs" -LE soak

echo "== the arm64 build under qemu-aarch64 against the release build"
"$root/scripts/arm64.sh" --test "$root/build"
