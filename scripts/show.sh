#!/usr/bin/env bash
# Installs what the show needs (compiler, CMake, SDL2, libopenmpt, libpng),
# builds the show and its files, and starts it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/packages.sh" show
cd "$root"
# A build folder made by the test command already has the show's settings
# (and more); otherwise the show preset makes one without the test suite.
[ -f build/CMakeCache.txt ] || cmake --preset show > /dev/null
cmake --build build -j"$(nproc)" --target kelvor kelvor_show_assets
cd "$root/build/show"
exec "$root/build/kelvor"
