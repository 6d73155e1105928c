#!/usr/bin/env bash
# The site's compiled show renders, in Node.js, the same 8100 frames as the
# capture tool, on the tests' own pictures.
#   frames_in_node.sh SITE KELVOR_CAPTURE MAKE_SHOW_PICTURES
set -euo pipefail
site="$1" capture="$2" make_files="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# shellcheck source=../support/wait_for.sh
. "$(dirname "$0")/../support/wait_for.sh"
mkdir "$work/pictures"
"$make_files" "$work/pictures"
# Node.js 18 and 20 both take this flag; without it emscripten's output
# fails in Node 20's fetch instead of reading the .wasm from disk.
within 60 "Node.js to render frames 1..8100" \
  node --no-experimental-fetch "$(dirname "$0")/node_checksums.js" "$site" "$work/pictures" 1 8100 > "$work/web.txt"
"$capture" --assets "$work/pictures" --last 8100 --checksums > "$work/native.txt" 2> /dev/null
if ! cmp -s "$work/web.txt" "$work/native.txt"; then
  echo "FAIL: the frames differ from the capture tool's:"
  diff "$work/native.txt" "$work/web.txt" | head -5
  exit 1
fi
echo "ok: 8100 frames rendered in Node.js equal kelvor-capture --checksums"
