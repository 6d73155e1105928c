#!/usr/bin/env bash
# Installs what the show needs (compiler, CMake, SDL2, libopenmpt, libpng),
# builds the show and its files (build/show) and starts it there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/packages.sh show
cmake --preset show > /dev/null
cmake --build --preset show
cd build/show/show
exec ../kelvor
