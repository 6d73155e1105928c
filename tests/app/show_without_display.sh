#!/usr/bin/env bash
# The show started where there is no display: it says so on stderr and ends
# with status 0 before any audio starts. A missing picture is reported the
# same way, before window and audio, even before the display is looked for.
# Usage: show_without_display.sh KELVOR MAKE_SHOW_PICTURES
set -euo pipefail
kelvor=$1
make_show_files=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=../support/wait_for.sh
. "$(dirname "$0")/../support/wait_for.sh"

fail() {
  echo "FAIL: $*" >&2
  echo "--- stderr of the show:" >&2
  cat "$work/stderr" >&2
  exit 1
}

# Runs the show in the folder with no display and the disk audio driver, so
# that any audio output would leave a file behind.
run_show() {
  rm -f "$work/audio.raw"
  status=0
  (cd "$1" && within 10 "the show to end in $(basename "$1") without a display" \
      env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER \
      SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" "$kelvor") 2>"$work/stderr" || status=$?
}

mkdir "$work/complete" "$work/no-data3" "$work/empty"
"$make_show_files" "$work/complete"
"$make_show_files" "$work/no-data3"
rm "$work/no-data3/data3.pcx"

run_show "$work/complete"
[ "$status" -eq 0 ] || fail "status $status without a display"
grep -q "no display available" "$work/stderr" || fail "no message about the missing display"
[ ! -e "$work/audio.raw" ] || fail "audio was started although the show could not open"

run_show "$work/no-data3"
[ "$status" -eq 0 ] || fail "status $status with data3.pcx missing"
grep -qx "err: couldn't load data3.pcx" "$work/stderr" || fail "no message naming data3.pcx"
[ ! -e "$work/audio.raw" ] || fail "audio was started with a picture missing"

run_show "$work/empty"
[ "$status" -eq 0 ] || fail "status $status in a folder without show files"
grep -qx "err: couldn't load data1.pcx" "$work/stderr" || fail "no message naming data1.pcx"

echo "PASS: without a display the show ends cleanly with the expected messages"
