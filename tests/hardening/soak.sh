#!/usr/bin/env bash
# The long soak run: the real scene for FRAMES frames at the show's own pace
# (default 100000: twelve and a half show cycles, about 24 minutes of show)
# in the sanitizer build, with the show's own pictures when the build makes
# them and the test pictures otherwise. kelvor-soak checks every frame and
# that memory stays flat; AddressSanitizer and UndefinedBehaviorSanitizer
# stop the run at the first fault, and LeakSanitizer checks the exit.
# Usage: tests/hardening/soak.sh [FRAMES] [BUILD_FOLDER]
#   BUILD_FOLDER defaults to build/sanitizers, the clang sanitizer build,
#   configured here with its preset if it does not exist yet.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
frames=${1:-100000}
build=${2:-$root/build/sanitizers}

if [ ! -f "$build/CMakeCache.txt" ]; then
  (cd "$root" && cmake --preset sanitizers -B "$build" > /dev/null)
fi
grep -q '^KELVOR_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" ||
  echo "note: $build is not a sanitizer build (KELVOR_SANITIZE is off)" >&2
cmake --build "$build" -j2 --target kelvor-soak

pictures=()
if cmake --build "$build" -j2 --target kelvor_show_assets > /dev/null 2>&1 &&
   [ -f "$build/show/data7.pcx" ]; then
  pictures=("$build/show")
  echo "soak: the show's own pictures from $build/show"
else
  echo "soak: the test pictures (the build made no show pictures)"
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
exec "$build/kelvor-soak" "$frames" "${pictures[@]}"
