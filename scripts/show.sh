#!/usr/bin/env bash
# Installs what is missing, builds KELVOR and starts the show.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$root/build" -j"$(nproc)"
if [ ! -x "$root/build/kelvor" ]; then
  echo "The show itself (build/kelvor) is not built yet; the libraries and tools are." >&2
  exit 1
fi
cd "$root/build/show"
exec "$root/build/kelvor"
