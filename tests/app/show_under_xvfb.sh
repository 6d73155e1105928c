#!/usr/bin/env bash
# The whole show in a virtual X server: it draws a real picture, P freezes
# it, another key resumes it, Esc ends the process with status 0 within a
# second, and the music reaches the audio output (SDL's disk driver, which
# writes what would be heard to a file). Then the two start-up failures with
# a message box: without demo.xm the box comes before the window and a silent
# show follows; without a picture the box is all there is.
# Usage: show_under_xvfb.sh KELVOR SHOW_FOLDER
#        show_under_xvfb.sh --installed KELVOR FOLDER
#        show_under_xvfb.sh --wine [--installed] KELVOR.EXE FOLDER
# With --installed, KELVOR is an installed show that finds its own files and
# FOLDER is any folder to start it in: the first run is made there, and once
# more with --fullscreen; the message-box runs need files missing, which an
# installed show never sees. With --wine, KELVOR.EXE is the Windows build,
# run under Wine (WINEPREFIX as set by the caller); its message boxes need
# no fonts of the X server, so the last check does not apply.
set -euo pipefail

if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "SKIP: xvfb-run is not installed (Debian package xvfb); the show was not run."
  exit 77
fi
for tool in Xvfb xdotool xwd convert od awk; do
  command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done
installed=
runner=()
while :; do
  case "$1" in
    --installed) installed=yes; shift ;;
    --wine) runner=(wine); shift ;;
    *) break ;;
  esac
done
kelvor=$(readlink -f "$1")
show=$2
# The show's files as the build names them: its show_facts.sh, beside the show
# folder it makes, or $KELVOR_SHOW_FACTS_SH.
facts=${KELVOR_SHOW_FACTS_SH:-$show/../show_facts.sh}
[ -n "$installed" ] || [ -f "$facts" ] || { echo "FAIL: no $facts; the build writes it" >&2; exit 1; }
[ -n "$installed" ] || for file in $(source "$facts" && echo "$KELVOR_SHOW_FILES"); do
  [ -f "$show/$file" ] || { echo "FAIL: $show/$file is missing; the show files are made by the build" >&2; exit 1; }
done

work=$(mktemp -d)
pid=
# shellcheck source=../support/virtual_x_server.sh
. "$(dirname "$0")/../support/virtual_x_server.sh"
cleanup() {
  if [ -n "$pid" ]; then end_process "$pid" "the show"; fi
  stop_virtual_x_server
  rm -rf "$work"
}
trap cleanup EXIT

# Extra arguments go to the server.
start_server() {
  start_virtual_x_server 1024x768 "$@"
  export DISPLAY=$x_display
}
start_server
unset WAYLAND_DISPLAY

# fail [MESSAGE]: without one, after a wait_for that said what it gave up on.
fail() {
  [ $# -eq 0 ] || echo "FAIL: $*" >&2
  echo "--- stderr of the show:" >&2
  cat "$work/stderr" >&2
  if ! kill -0 "$xvfb" 2>/dev/null; then
    echo "--- the X server $DISPLAY is gone; its log:" >&2
    cat "$work/xvfb.log" >&2
  fi
  exit 1
}

# Starts the show in the folder $1 with the arguments after it, its sound
# going to $work/audio.raw.
start_show() {
  rm -f "$work/audio.raw"
  (cd "$1" && shift && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" exec "${runner[@]}" "$kelvor" "$@") 2>"$work/stderr" &
  pid=$!
}

# The window titled exactly $1. xdotool's own --name search misses titles
# stored as UTF-8 only, as SDL's message box stores them, so every window's
# title is compared here.
find_window() {
  local candidate
  for candidate in $(xdotool search --class '' 2>/dev/null; xdotool search --name '' 2>/dev/null); do
    if [ "$(xdotool getwindowname "$candidate" 2>/dev/null)" = "$1" ]; then
      echo "$candidate"
      return 0
    fi
  done
  return 1
}

# Waits up to 30 s for the window titled $1; sets $window and $title.
wait_for_window() {
  window=
  title=$1
  wait_for 30 "a window titled '$1'" window_appeared || fail
}

window_appeared() {
  window=$(find_window "$title") && return 0
  process_gone "$pid" && fail "the show ended before a window '$title' appeared"
  return 1
}

# Points at the window and gives it the keyboard (there is no window
# manager); a window that is not mapped yet refuses the focus for a moment.
# SDL may replace the window it made first by another of the same title
# (as it does for fullscreen), so each retry looks for the window again.
focus() {
  wait_for 15 "the window '$title' to take the keyboard focus" took_focus || fail
}

took_focus() {
  local found
  xdotool mousemove --window "$window" 100 50 2>/dev/null && xdotool windowfocus "$window" 2>/dev/null && return 0
  found=$(find_window "$title") && window=$found
  return 1
}

# Waits up to a second for the show to end after $1; sets $status. Wine
# takes two seconds to end a process that has shown a message box, so up to
# three seconds under Wine.
end_seconds=1
[ ${#runner[@]} -gt 0 ] && end_seconds=3
wait_for_end() {
  wait_for "$end_seconds" "the show to end after $1" process_gone "$pid" || fail
  status=0
  wait "$pid" || status=$?
  pid=
}

# The show's stderr lines; a Windows build ends them with CR LF.
show_errors() {
  tr -d '\r' < "$work/stderr"
}

loudest_sample() {
  od -An -v -t d2 -w2 "$work/audio.raw" | awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }'
}

# The window's picture as raw RGB bytes.
screenshot() {
  xwd -id "$window" -silent | convert xwd:- -depth 8 "rgb:$1"
}

colours() {
  convert -size 960x600 -depth 8 "rgb:$1" -format '%k' info:
}

# 1. The show with everything in place.
start_show "$show"
wait_for_window KELVOR
focus
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
wait_for_end Esc
[ "$status" -eq 0 ] || fail "the show ended with status $status"

[ -s "$work/audio.raw" ] || fail "nothing reached the audio output"
loudest=$(loudest_sample)
[ "$loudest" -gt 1000 ] || fail "the audio output is silent (loudest sample $loudest)"
echo "show: picture, pause, resume and Esc (status 0); $(stat -c %s "$work/audio.raw") bytes of sound, loudest sample $loudest"

if [ -n "$installed" ]; then
  # Without a window manager the server keeps the window's size, so this
  # shows that the option is taken and the show runs; the console's own
  # tests check that the window asks for the whole screen.
  start_show "$show" --fullscreen
  wait_for_window KELVOR
  focus
  sleep 1
  xdotool key Escape
  wait_for_end Esc
  [ "$status" -eq 0 ] || fail "the show with --fullscreen ended with status $status"
  echo "--fullscreen: window, Esc (status 0)"
  echo "PASS"
  exit 0
fi

# 2. Without demo.xm: the message box blocks the start before the window
# opens; once dismissed, the show runs silently.
mkdir "$work/no-music" "$work/no-picture"
cp "$show"/data?.pcx "$work/no-music/"
start_show "$work/no-music"
wait_for_window err
find_window KELVOR >/dev/null && fail "the window opened before the message was dismissed"
show_errors | grep -qx "err: couldn't load demo.xm" || fail "no 'couldn't load demo.xm' on stderr"
focus
xdotool key Return
wait_for_window KELVOR
focus
sleep 1
xdotool key Escape
wait_for_end Esc
[ "$status" -eq 0 ] || fail "the silent show ended with status $status"
loudest=$(loudest_sample)
[ "$loudest" -eq 0 ] || fail "sound without a module (loudest sample $loudest)"
echo "no demo.xm: message box before the window, then a silent show"

# 3. Without a picture: the message box, then the end, with no window and
# no audio.
cp "$show"/demo.xm "$show"/data?.pcx "$work/no-picture/"
rm "$work/no-picture/data3.pcx"
start_show "$work/no-picture"
wait_for_window err
show_errors | grep -qx "err: couldn't load data3.pcx" || fail "no 'couldn't load data3.pcx' on stderr"
focus
xdotool key Return
wait_for_end "the message was dismissed"
[ "$status" -eq 0 ] || fail "ended with status $status with a picture missing"
[ ! -e "$work/audio.raw" ] || fail "audio was started with a picture missing"
echo "no data3.pcx: message box, then the end with status 0"

# Under Wine, which places windows itself where no window manager runs: F11
# fills the screen, Alt+Enter brings the window back, and closing the window
# (Alt+F4) ends the show as Esc does.
window_size() {
  xdotool getwindowgeometry "$window" | awk '/Geometry:/ { print $2 }'
}
if [ ${#runner[@]} -gt 0 ]; then
  start_show "$show"
  wait_for_window KELVOR
  focus
  sleep 1
  [ "$(window_size)" = 960x600 ] || fail "the window is $(window_size), not 960x600"
  xdotool key F11
  sleep 1.5
  [ "$(window_size)" = 1024x768 ] || fail "after F11 the window is $(window_size), not the whole 1024x768 screen"
  focus
  xdotool key alt+Return
  sleep 1.5
  [ "$(window_size)" = 960x600 ] || fail "after Alt+Enter the window is $(window_size), not 960x600 again"
  focus
  xdotool key alt+F4
  wait_for_end "Alt+F4"
  [ "$status" -eq 0 ] || fail "closing the window ended the show with status $status"
  echo "F11 fills the screen, Alt+Enter brings the window back, closing it ends the show (status 0)"
fi

# 4. A display without the core fonts SDL draws its boxes with (the server's
# built-in cursor and fixed fonts only, and no zenity): the box is refused,
# the show says so once, right after the message line, and starts as after
# a dismissed box.
if [ ${#runner[@]} -gt 0 ]; then
  echo "no core fonts: does not apply, the Windows message box draws its own text"
elif command -v zenity >/dev/null 2>&1; then
  echo "no core fonts: not tried, zenity would show the box"
else
  start_server -fp built-ins
  start_show "$work/no-music"
  wait_for_window KELVOR
  grep -A1 -x "err: couldn't load demo.xm" "$work/stderr" | sed -n 2p \
    | grep -q "^KELVOR: the message box could not be shown (.\+)$" \
    || fail "the refused box is not reported right after the message, with SDL's reason"
  [ "$(grep -c "message box could not be shown" "$work/stderr")" -eq 1 ] || fail "the refused box is reported more than once"
  focus
  sleep 1
  xdotool key Escape
  wait_for_end Esc
  [ "$status" -eq 0 ] || fail "the show after a refused box ended with status $status"
  echo "no core fonts: the refused box is reported on stderr, then a silent show"
fi

echo "PASS"
