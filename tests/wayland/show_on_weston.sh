#!/usr/bin/env bash
# The show as a Wayland client of a real compositor (weston, started here on
# a virtual X server: weston_session.sh), with no X server of its own to fall
# back on (no DISPLAY):
#  1. its window opens and draws, P freezes the picture, another key resumes
#     it, F11 fills weston's whole output and F11 again brings the window
#     back, Esc ends the show with status 0 within a second, and the music
#     reaches the audio output (SDL's disk driver);
#  2. a click on the close button of the window's title bar (drawn by SDL
#     through libdecor) ends the show with status 0 and nothing on stderr,
#     while the pointer resting on the button does not;
#  3. with both an X server and the compositor there, the show opens its
#     window on the X server, unless SDL_VIDEODRIVER=wayland asks for the
#     compositor.
# Usage: show_on_weston.sh KELVOR SHOW_FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for tool in xwd convert od awk; do
  command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done
kelvor=$(readlink -f "$1")
show=$2

work=$(mktemp -d)
pid=
# shellcheck source=weston_session.sh
. "$here/weston_session.sh"
cleanup() {
  if [ -n "$pid" ]; then end_process "$pid" "the show"; fi
  stop_session
  rm -rf "$work"
}
trap cleanup EXIT

# fail [MESSAGE]: without one, after a wait_for that said what it gave up on.
fail() {
  [ $# -eq 0 ] || echo "FAIL: $*" >&2
  echo "--- stderr of the show:" >&2
  cat "$work/stderr" >&2
  echo "--- weston's log:" >&2
  tail -n 20 "$work/weston.log" >&2
  exit 1
}

# Starts the show with the environment given, its sound going to
# $work/audio.raw.
start_show() {
  rm -f "$work/audio.raw"
  (cd "$show" && exec env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" "$@" "$kelvor") 2>"$work/stderr" &
  pid=$!
}

# Waits up to ${2:-1} s for the show to end after $1; its status in $status.
wait_for_end() {
  wait_for "${2:-1}" "the show to end after $1" process_gone "$pid" || fail
  status=0
  wait "$pid" || status=$?
  pid=
}

colours() {
  convert -size ${weston_width}x${weston_height} -depth 8 "rgb:$1" -format '%k' info:
}

# Pixels of the desktop's background colour (0x204060) on the output.
background_pixels() {
  od -An -v -t x1 -w3 "$1" | awk '$0 == " 20 40 60" { n++ } END { print n + 0 }'
}

# The title bar on the output, as "left top right bottom" (inclusive), or
# nothing: the rows mostly (the title and the buttons aside) of the colour
# libdecor's cairo plugin gives the bar of a window with the keyboard
# (0x080706), wherever weston placed the window (it picks a random place).
title_bar() {
  od -An -v -t x1 -w3 "$1" | awk -v width="$weston_width" '
    $0 == " 08 07 06" {
      y = int((NR - 1) / width); x = (NR - 1) % width
      n[y]++
      if (!(y in left) || x < left[y]) left[y] = x
      if (x > right[y]) right[y] = x
    }
    END {
      for (y = 0; y < '"$weston_height"'; y++) {
        if (n[y] >= 600) {
          if (top == "") { top = y; l = left[y]; r = right[y] }
          bottom = y
        } else if (top != "") break
      }
      if (top != "") print l, top, r, bottom
    }'
}

start_session

# The show still runs; the test fails with $1 when it does not.
show_runs() {
  process_gone "$pid" && fail "the show ended $1"
  return 0
}

# 1. The show on the compositor alone.
drawn() {
  output_screenshot "$work/first.rgb"
  [ "$(colours "$work/first.rgb")" -gt 50 ] && return 0
  show_runs "before it drew anything"
  return 1
}
start_show
wait_for 30 "a picture on weston's output" drawn || fail
sleep 2
output_screenshot "$work/running.rgb"
cmp -s "$work/first.rgb" "$work/running.rgb" && fail "the picture does not move"
[ "$(background_pixels "$work/running.rgb")" -gt 0 ] || fail "the window covers the whole output at its start"

press p
sleep 0.5
output_screenshot "$work/paused1.rgb"
sleep 1
output_screenshot "$work/paused2.rgb"
cmp -s "$work/paused1.rgb" "$work/paused2.rgb" || fail "the picture still moves after P"

press space
sleep 0.5
output_screenshot "$work/resumed1.rgb"
sleep 0.5
output_screenshot "$work/resumed2.rgb"
cmp -s "$work/resumed1.rgb" "$work/resumed2.rgb" && fail "the picture stays frozen after another key"

# The output is 16:10 like the picture, so fullscreen leaves no background.
press F11
sleep 1
output_screenshot "$work/fullscreen.rgb"
[ "$(background_pixels "$work/fullscreen.rgb")" -eq 0 ] || fail "after F11 the desktop still shows: not fullscreen"
press F11
sleep 1
output_screenshot "$work/window.rgb"
[ "$(background_pixels "$work/window.rgb")" -gt 0 ] || fail "after F11 again the show still fills the output"

press Escape
wait_for_end Esc
[ "$status" -eq 0 ] || fail "the show ended with status $status"
loudest=$(od -An -v -t d2 -w2 "$work/audio.raw" | awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }')
[ "$loudest" -gt 1000 ] || fail "the audio output is silent (loudest sample $loudest)"
echo "on weston: draws, P pauses, a key resumes, F11 fills the output and gives it back, Esc ends (status 0); loudest sample $loudest"

# 2. Closing the window: libdecor draws its buttons 32 pixels wide at the
# bar's right end, close the last. The show's picture is 960 wide (3x).
# The same bar on two screenshots in a row: the first frames of a window
# can show it part drawn.
title_bar_steady() {
  output_screenshot "$work/titled.rgb"
  previous=$bar
  bar=$(title_bar "$work/titled.rgb")
  [ -n "$bar" ] && [ "$bar" = "$previous" ] && return 0
  show_runs "before its title bar showed"
  return 1
}
start_show SDL_AUDIODRIVER=dummy
bar=
wait_for 30 "the window's title bar on weston's output, the same on two screenshots in a row (is libdecor-0-plugin-1-cairo installed?)" \
  title_bar_steady || fail
read -r bar_left bar_top bar_right bar_bottom <<< "$bar"
[ $((bar_right - bar_left + 1)) -eq 960 ] || fail "the title bar is $((bar_right - bar_left + 1)) wide, not the window's 960 ($bar)"
bar_height=$((bar_bottom - bar_top + 1))
if [ "$bar_height" -lt 16 ] || [ "$bar_height" -gt 48 ]; then
  fail "the title bar is $bar_height rows high ($bar)"
fi
close_x=$((bar_right - 15))
close_y=$(((bar_top + bar_bottom) / 2))
# Weston's X11 backend takes the pointer's moves once it has entered its
# window, and the X server's pointer starts inside it: out first (to the X
# screen's corner, beyond weston's window), then in.
x_tool mousemove 1399 899
sleep 0.2
x_tool mousemove --window "$X_WINDOW" "$close_x" "$close_y"
sleep 1
kill -0 "$pid" 2>/dev/null || fail "the show ended with the pointer on the close button, before any click"
x_tool mousedown 1
sleep 0.1
x_tool mouseup 1
wait_for_end "a click on the close button at $close_x,$close_y (title bar $bar)" 3
[ "$status" -eq 0 ] || fail "the show ended with status $status after the close button"
[ -s "$work/stderr" ] && fail "the show wrote to stderr"
echo "on weston: the close button (title bar $bar) ends the show (status 0)"

# 3. Both there: X11 unless asked.
on_x_server() {
  [ -n "$(DISPLAY=$X_DISPLAY xdotool search --name '^KELVOR$' 2>/dev/null)" ]
}
opened_on_x_server() {
  on_x_server && return 0
  show_runs "before its window opened"
  return 1
}
start_show DISPLAY="$X_DISPLAY"
wait_for 20 "the window on the X server, with an X server and a compositor there" opened_on_x_server || fail
end_process "$pid" "the show"; pid=
start_show DISPLAY="$X_DISPLAY" SDL_VIDEODRIVER=wayland
sleep 2
kill -0 "$pid" 2>/dev/null || fail "the show with SDL_VIDEODRIVER=wayland ended"
on_x_server && fail "SDL_VIDEODRIVER=wayland did not win over the X server"
press Escape
wait_for_end Esc
echo "with both: the X server, and the compositor when SDL_VIDEODRIVER=wayland"
echo PASS
