#!/usr/bin/env bash
# Installs what is missing, builds the web version of KELVOR into
# build/web/site/ and serves it on 127.0.0.1 (port 8000, or $PORT).
#   ./scripts/web.sh           build, then serve until Ctrl+C
#   ./scripts/web.sh --build   build only
# The site folder works as it is on any static web host.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
"$root/scripts/packages.sh" show web
cd "$root"

# Emscripten's JavaScript optimizer needs Debian's acorn module, which a
# Node.js other than Debian's own does not look for.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

echo "== the show's files (kelvor-assets, desktop build)"
# The show's own build (build/show), as ./scripts/show.sh makes it.
cmake --preset show > /dev/null
cmake --build build/show -j"$jobs" --target kelvor_show_assets > /dev/null

# The player is the npm registry's chiptune3 package; its release tarball
# is kept in third_party/chiptune3 (the registry's bytes: package-lock.json
# pins their sha512), so the build needs no network and npm checks the bytes.
echo "== the music player (npm, pinned by package-lock.json)"
web="$root/src/platform/web"
player="$root/build/web/player"
mkdir -p "$player"
if ! cmp -s "$web/package-lock.json" "$player/package-lock.json" \
   || [ ! -f "$player/node_modules/chiptune3/libopenmpt.worklet.js" ]; then
  cp "$web/package.json" "$web/package-lock.json" "$root"/third_party/chiptune3/chiptune3-*.tgz "$player/"
  (cd "$player" && npm ci --offline --no-audit --no-fund --ignore-scripts --loglevel=error)
fi

echo "== the site (emscripten)"
cmake --preset web > /dev/null
cmake --build --preset web -j"$jobs"

site="$root/build/web/site"
if [ "${1:-}" = "--build" ]; then
  echo "The site is in $site"
  exit 0
fi
port="${PORT:-8000}"
echo "KELVOR in the browser: http://127.0.0.1:$port/   (the site is $site; Ctrl+C stops the server)"
cd "$site"
exec python3 -m http.server "$port" --bind 127.0.0.1
