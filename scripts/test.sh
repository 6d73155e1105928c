#!/usr/bin/env bash
# Installs what is missing, builds KELVOR and runs every test. The frame
# renderer is also built with clang, and the tests require it to render the
# very same frames as the g++ build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
"$root/scripts/install-deps.sh"

CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-clang" -DCMAKE_BUILD_TYPE=Release \
  -DKELVOR_TESTS=OFF -DKELVOR_BENCH=OFF -DKELVOR_SHOW=OFF > /dev/null
cmake --build "$root/build-clang" -j"$jobs" --target kelvor-capture

cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release \
  -DKELVOR_REFERENCE_CAPTURE="$root/build-clang/kelvor-capture"
cmake --build "$root/build" -j"$jobs"
cd "$root/build"
ctest --output-on-failure -j"$jobs"
