#!/usr/bin/env bash
# The page in Debian's headless Chromium (browser_test.py), with the tests'
# own pictures made for the checksum comparison.
#   in_chromium.sh SITE KELVOR_CAPTURE MAKE_SHOW_PICTURES SHOW_FILES
set -euo pipefail
site="$1" capture="$2" make_files="$3" show_files="$4"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/pictures"
"$make_files" "$work/pictures"
# Debian's python3, where Debian's selenium is installed; -B: no byte code
# left in the source folder.
/usr/bin/python3 -B "$(dirname "$0")/browser_test.py" --site "$site" --capture "$capture" \
  --show-files "$show_files" --test-files "$work/pictures"
