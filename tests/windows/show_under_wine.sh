#!/usr/bin/env bash
# kelvor.exe under Wine in a virtual X server, through the desktop show's own
# checks (tests/app/show_under_xvfb.sh --wine): the window titled "KELVOR"
# draws, P pauses, Esc ends with status 0, the music reaches the output;
# without demo.xm the box comes first, then a silent show; without data3.pcx
# the box and nothing else. Then as unpacked from the zip: started from
# another folder it finds the files beside itself, and --fullscreen.
# Usage: show_under_wine.sh WINDOWS_FOLDER (the unpacked zip)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
folder=$(cd "$1" && pwd)
work=$(mktemp -d)
# shellcheck source=../support/wait_for.sh
. "$(dirname "$0")/../support/wait_for.sh"
# A program beside the show's files would read them from there; the
# message-box runs need it alone in its folder.
mkdir "$work/alone" "$work/elsewhere"
cp "$folder/kelvor.exe" "$work/alone/"
# Each run has an X server of its own, and Wine's desktop stays on the
# display it started on: each run waits for the Wine server to end.
trap 'rm -rf "$work"; within 30 "the Wine server to end" wineserver --wait' EXIT
"$here/../app/show_under_xvfb.sh" --wine "$work/alone/kelvor.exe" "$folder"
within 30 "the Wine server to end" wineserver --wait
"$here/../app/show_under_xvfb.sh" --wine --installed "$folder/kelvor.exe" "$work/elsewhere"
