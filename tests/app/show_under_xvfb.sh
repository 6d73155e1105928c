#!/usr/bin/env bash
# The whole show in a virtual X server: it draws a real picture, P freezes
# it, another key resumes it, Esc ends the process with status 0 within a
# second, and the music reaches the audio output (SDL's disk driver, which
# writes what would be heard to a file).
# Usage: show_under_xvfb.sh KELVOR SHOW_FOLDER
set -euo pipefail

if [ "${1-}" != --inside ]; then
  if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "SKIP: xvfb-run is not installed (Debian package xvfb); the show was not run."
    exit 77
  fi
  for tool in xdotool xwd convert od awk; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed" >&2; exit 1; }
  done
  for file in demo.xm data1.pcx data2.pcx data3.pcx data4.pcx data5.pcx data6.pcx data7.pcx; do
    [ -f "$2/$file" ] || { echo "FAIL: $2/$file is missing; the show files are made by the build" >&2; exit 1; }
  done
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" --inside "$(readlink -f "$1")" "$2"
fi

kelvor=$2
show=$3
work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- stderr of the show:" >&2
  cat "$work/stderr" >&2
  exit 1
}

# The window's picture as raw RGB bytes.
screenshot() {
  xwd -id "$window" -silent | convert xwd:- -depth 8 "rgb:$1"
}

colours() {
  convert -size 960x600 -depth 8 "rgb:$1" -format '%k' info:
}

(cd "$show" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" exec "$kelvor") 2>"$work/stderr" &
pid=$!

window=
for _ in $(seq 150); do
  kill -0 "$pid" 2>/dev/null || fail "the show ended before its window appeared"
  window=$(xdotool search --onlyvisible --name '^KELVOR$' 2>/dev/null | head -n 1) || true
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window titled KELVOR appeared within 15 seconds"
xdotool mousemove --window "$window" 480 300
xdotool windowfocus "$window"
sleep 3

screenshot "$work/running.rgb"
[ "$(colours "$work/running.rgb")" -gt 1 ] || fail "the picture is a single colour after 3 seconds"

xdotool key p
sleep 0.5
screenshot "$work/paused1.rgb"
sleep 1
screenshot "$work/paused2.rgb"
cmp -s "$work/paused1.rgb" "$work/paused2.rgb" || fail "the picture still moves after P"

xdotool key space
sleep 0.5
screenshot "$work/resumed1.rgb"
sleep 0.5
screenshot "$work/resumed2.rgb"
! cmp -s "$work/resumed1.rgb" "$work/resumed2.rgb" || fail "the picture stays frozen after another key"

xdotool key Escape
for _ in $(seq 20); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$pid" 2>/dev/null && fail "the show still runs a second after Esc"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the show ended with status $status"

[ -s "$work/audio.raw" ] || fail "nothing reached the audio output"
loudest=$(od -An -v -t d2 -w2 "$work/audio.raw" | awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }')
[ "$loudest" -gt 1000 ] || fail "the audio output is silent (loudest sample $loudest)"

echo "PASS: picture, pause, resume, Esc (status 0) and music ($(stat -c %s "$work/audio.raw") bytes of sound, loudest sample $loudest)"
