# Sourced by the Wayland tests: a virtual X server and, on it, a real Wayland
# compositor (Debian's weston, its X11 backend drawing with pixman), each
# started by the test itself in a private folder ($work, made by the caller)
# and stopped by stop_session.
#
# Why the X11 backend: weston's headless backend offers no seat (no keyboard,
# no pointer), and SDL 2.26.5 crashes with signal 11 inside its video
# start-up on a compositor without one, before the program can say anything.
# The X11 backend takes its keyboard from the X server, where xdotool types.
#
# Why repaint-window: the X11 backend has no display to follow. It ends each
# frame on a 10 ms timer after drawing it and starts the next one a refresh
# after that, less the repaint window; its cadence therefore depends on that
# window, on how long a repaint takes and on when clients commit. With
# weston's own window of 7 ms it repaints about every 21 ms (48 Hz) with an
# SDL client, whatever the client does: a four-line SDL program gets 46-48
# presents a second there too. A window of 10 ms brings it to 57-60 Hz, with
# intervals of 16.2-17.5 ms, the nearest to the 60 Hz it reports (11 ms
# gives 63 Hz, 12 ms 66 Hz). The tests measure the cadence beside the show.
#
# After start_session: XDG_RUNTIME_DIR and WAYLAND_DISPLAY name the
# compositor, X_DISPLAY the X server (DISPLAY itself is unset, so that the
# programs started here find no X server), X_WINDOW weston's window on it.

weston_width=1280
weston_height=800
weston_pid=
# shellcheck source=../support/virtual_x_server.sh
. "$(dirname "${BASH_SOURCE[0]}")/../support/virtual_x_server.sh"

# The virtual X server alone; X_DISPLAY names it.
start_x_server() {
  start_virtual_x_server 1400x900
  X_DISPLAY=$x_display
}

start_session() {
  local tool
  for tool in Xvfb weston xdotool; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed" >&2; exit 1; }
  done
  start_x_server
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  cat > "$work/weston.ini" <<EOF
[core]
repaint-window=${repaint_window:-10}
[shell]
background-color=0xff204060
panel-position=none
EOF
  DISPLAY=$X_DISPLAY weston -B x11-backend.so --use-pixman --socket=kelvor-test -c "$work/weston.ini" \
    --width=$weston_width --height=$weston_height --log="$work/weston.log" 2>>"$work/weston.log" &
  weston_pid=$!
  wait_for 15 "weston's socket" weston_started || { cat "$work/weston.log" >&2; exit 1; }
  export WAYLAND_DISPLAY=kelvor-test
  unset DISPLAY
  X_WINDOW=
  wait_for 10 "weston's window on the X server" weston_window_found
  # The keyboard focus on weston's window from the start: moved there later,
  # from where the pointer was, it leaves weston's focused client without
  # the keyboard now and then (weston sees it go, and not come back).
  focus_compositor
  # The shell takes a moment to draw its desktop; clients started before
  # that still open, but the first screenshots would show nothing yet.
  sleep 1
}

weston_started() {
  [ -S "$XDG_RUNTIME_DIR/kelvor-test" ] && return 0
  process_gone "$weston_pid" && { echo "FAIL: weston ended at its start" >&2; cat "$work/weston.log" >&2; exit 1; }
  return 1
}

weston_window_found() {
  X_WINDOW=$(DISPLAY=$X_DISPLAY xdotool search --class '^Weston Compositor$' 2>/dev/null | head -n 1) || true
  [ -n "$X_WINDOW" ]
}

# The keyboard focus on the compositor's window (X_WINDOW). --sync waits
# until the X server reports it, which it may never do: bounded, and, as a
# refused focus, not a failure in itself (what the keys then miss is).
focus_compositor() {
  local status=0
  DISPLAY=$X_DISPLAY timeout 5 xdotool windowfocus --sync "$X_WINDOW" 2>/dev/null || status=$?
  [ "$status" -ne 124 ] || echo "note: gave up after 5 s waiting for the keyboard focus on the compositor's window" >&2
}

stop_session() {
  if [ -n "$weston_pid" ]; then end_process "$weston_pid" weston; fi
  stop_virtual_x_server
  weston_pid=
}

# xdotool on the X server, at weston's window: weston passes the keys on to
# the Wayland window that has its keyboard focus.
x_tool() {
  DISPLAY=$X_DISPLAY xdotool "$@"
}

# Presses and releases key $1 on weston's window. Weston's X11 backend misses
# a press and release sent back to back (xdotool key), so the key is held a
# moment, as a hand would.
press() {
  focus_compositor
  x_tool keydown "$1"
  sleep 0.05
  x_tool keyup "$1"
}

# Weston's output as raw RGB bytes ($weston_width x $weston_height), from
# its window on the X server.
output_screenshot() {
  DISPLAY=$X_DISPLAY xwd -id "$X_WINDOW" -silent | convert xwd:- -depth 8 "rgb:$1"
}
