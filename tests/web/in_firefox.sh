#!/usr/bin/env bash
# The page in Debian's Firefox ESR (firefox_test.py, over WebDriver BiDi),
# with the tests' own pictures made for the checksum comparison. Firefox
# plays the page's music into a sound server of the test's own (a PulseAudio
# with a null sink): without one its AudioContext never runs.
#   in_firefox.sh SITE KELVOR_CAPTURE MAKE_SHOW_PICTURES SHOW_FILES
#   in_firefox.sh --render-time SITE PICTURES   (the mean only)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
command -v firefox-esr >/dev/null 2>&1 || { echo "FAIL: firefox-esr is not installed" >&2; exit 1; }
work="$(mktemp -d)"
# shellcheck source=../sound/sound_server.sh
. "$here/../sound/sound_server.sh"
trap 'stop_sound_server; rm -rf "$work"' EXIT
start_sound_server
# Debian's python3, where Debian's python3-websocket is installed; -B: no
# byte code left in the source folder.
if [ "${1:-}" = --render-time ]; then
  /usr/bin/python3 -B "$here/firefox_test.py" --render-time --site "$2" --pictures "$3"
  exit 0
fi
site="$1" capture="$2" make_files="$3" show_files="$4"
mkdir "$work/pictures"
"$make_files" "$work/pictures"
/usr/bin/python3 -B "$here/firefox_test.py" --site "$site" --capture "$capture" \
  --show-files "$show_files" --test-files "$work/pictures"
