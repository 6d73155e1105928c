#!/usr/bin/env bash
# Installs what is missing, builds KELVOR and runs every test:
#  1. the frame renderer built with clang, so that the main suite can require
#     it to render the very same frames as the g++ build;
#  2. the hardening checks in a clang AddressSanitizer/UBSan build: each fuzz
#     target for a bounded time, the hardening tests and a short soak run;
#  3. the whole suite under AddressSanitizer and UBSan (g++);
#  4. the web build (build-web/site, as ./scripts/web.sh makes it);
#  5. the Windows build (build-windows, as ./scripts/windows.sh makes it);
#  6. the whole suite in the release build, the show under Xvfb, the web
#     build in Node.js and headless Chromium and the Windows build under Wine
#     included.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
"$root/scripts/install-deps.sh"

echo "== clang build of the frame renderer"
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-clang" -DCMAKE_BUILD_TYPE=Release \
  -DKELVOR_TESTS=OFF -DKELVOR_BENCH=OFF -DKELVOR_SHOW=OFF > /dev/null
cmake --build "$root/build-clang" -j"$jobs" --target kelvor-capture

echo "== hardening: fuzzing, soak"
"$root/scripts/ci-hardening.sh"

echo "== the suite under the sanitizers"
cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVOR_SANITIZE=ON \
  -DKELVOR_BENCH=OFF -DKELVOR_SHOW=OFF > /dev/null
cmake --build "$root/build-asan" -j"$jobs"
(cd "$root/build-asan" && ctest --output-on-failure -j"$jobs")

echo "== the web build"
"$root/scripts/web.sh" --build

echo "== the Windows build (tested under Wine in the suite)"
"$root/scripts/windows.sh"

echo "== the suite"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release \
  -DKELVOR_REFERENCE_CAPTURE="$root/build-clang/kelvor-capture" \
  -DKELVOR_WEB_SITE="$root/build-web/site" -DKELVOR_WINDOWS_BUILD="$root/build-windows"
cmake --build "$root/build" -j"$jobs"
cd "$root/build"
ctest --output-on-failure -j"$jobs"
"$root/scripts/arm64.sh" --test "$root/build"   # 7. the arm64 build under qemu-aarch64 against this one
