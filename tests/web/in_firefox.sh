#!/usr/bin/env bash
# The page in Debian's Firefox ESR (in_firefox.js), driven over WebDriver
# BiDi by the client pinned in bidi/package-lock.json, which npm installs
# from the registry into CLIENT_FOLDER when the lock file changes. Firefox
# plays the page's music into a sound server of the test's own (a PulseAudio
# with a null sink): without one its AudioContext never runs.
#   in_firefox.sh SITE KELVOR_CAPTURE KELVOR_MAKE_SHOW_FILES SHOW_FILES CLIENT_FOLDER
#   in_firefox.sh --render-time SITE PICTURES CLIENT_FOLDER   (the mean only)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
render_time=
[ "${1:-}" = --render-time ] && { render_time=yes; shift; }
if [ -n "$render_time" ]; then
  site="$1" pictures="$2" client="$3"
else
  site="$1" capture="$2" make_files="$3" show_files="$4" client="$5"
fi
for tool in firefox-esr node npm; do
  command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done

mkdir -p "$client"
# One retry, soon: a registry that is out of reach is not worth minutes.
quick_fail="--fetch-retries=1 --fetch-retry-mintimeout=1000 --fetch-retry-maxtimeout=3000"
if ! cmp -s "$here/bidi/package-lock.json" "$client/package-lock.json" \
   || [ ! -d "$client/node_modules/puppeteer-core" ]; then
  rm -f "$client/package-lock.json"
  cp "$here/bidi/package.json" "$client/"
  # No browser download: the test drives Debian's Firefox.
  if ! (cd "$client" && cp "$here/bidi/package-lock.json" . \
        && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund --loglevel=error $quick_fail); then
    # A machine that cannot reach the npm registry (no network, or a proxy
    # whose certificate it does not trust) cannot get the client: the checks
    # are skipped, said so, rather than failed. With the registry there, a
    # failing install fails the test.
    if ! (cd "$client" && npm ping --loglevel=silent $quick_fail > /dev/null 2>&1); then
      echo "SKIP: the npm registry is not reachable from this machine (npm ping failed), so the pinned" \
           "Firefox client (bidi/package-lock.json) cannot be installed; the page was not run in Firefox."
      exit 77
    fi
    echo "FAIL: npm could not install the pinned Firefox client" >&2
    exit 1
  fi
fi

work="$(mktemp -d)"
# shellcheck source=../sound/sound_server.sh
. "$here/../sound/sound_server.sh"
trap 'stop_sound_server; rm -rf "$work"' EXIT
start_sound_server
export NODE_PATH="$client/node_modules"
if [ -n "$render_time" ]; then
  node "$here/in_firefox.js" --render-time "$site" "$pictures"
  exit 0
fi
mkdir "$work/pictures"
"$make_files" "$work/pictures"
node "$here/in_firefox.js" "$site" "$capture" "$work/pictures" "$show_files"
