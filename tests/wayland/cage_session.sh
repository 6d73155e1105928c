# Sourced, after weston_session.sh (whose virtual X server, x_tool and press
# it shares), by
# the Wayland tests that need a compositor whose frames follow a true 60 Hz
# clock: Debian's cage (a wlroots compositor that shows one
# window at a time, maximised) on its X11 backend, drawing with pixman,
# inside a virtual X server, started by the test itself in its private
# folder ($work, made by the caller) and stopped by stop_cage_session.
#
# Why cage: wlroots' X11 backend draws each frame into its X window through
# the Present extension and starts the next one when the X server reports it
# shown. Xvfb has no display, and its Present shows frames on a clock of its
# own, 16.667 ms a frame (in whole milliseconds: 16 and 17 ms apart, 60.00
# a second over a few seconds). Weston's X11 backend ignores that clock and
# repaints on a timer instead (57-58 Hz, see weston_session.sh).
#
# -d: cage tells clients it draws their decorations (it draws none).
# Without it cage asks for client-side decorations, SDL 2.26.5 then moves
# the window over to libdecor half-way through its start-up, and the window
# never appears (the show runs on, presenting once a second).
#
# cage refuses to start as root (it checks that it cannot regain root once
# dropped), so as root it runs as nobody, with a runtime folder of that
# user; the clients, run as root, still reach its socket.
#
# Cage ends with its one program; that program here is a sleep, and
# stop_cage_session ends it rather than cage itself (cage aborts on
# SIGTERM: the last resort). Cage starts Xwayland (lazily) and will not start without it.
#
# After start_cage_session WIDTHxHEIGHT: XDG_RUNTIME_DIR and WAYLAND_DISPLAY
# name the compositor, X_DISPLAY the X server (DISPLAY itself is unset),
# X_WINDOW cage's window on it, of that size, which is the size of cage's
# output and so of the window it maximises.

cage_pid=
cage_socket=
x_root=

start_cage_session() {
  local size=$1 tool
  for tool in Xvfb cage Xwayland xdotool; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed" >&2; exit 1; }
  done
  start_virtual_x_server 1400x900
  X_DISPLAY=$x_display
  export XDG_RUNTIME_DIR="$work/cage-runtime"
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  local as_user=()
  if [ "$(id -u)" -eq 0 ]; then
    chown nobody:nogroup "$XDG_RUNTIME_DIR"
    chmod o+x "$work"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
  fi
  # The program notes its own process id ($$ of its shell) for the stop.
  # shellcheck disable=SC2016
  DISPLAY=$X_DISPLAY "${as_user[@]}" env WLR_BACKENDS=x11 WLR_RENDERER=pixman WLR_X11_OUTPUTS=1 \
    cage -d -- sh -c 'echo $$ > "$XDG_RUNTIME_DIR/program"; exec sleep 3600' 2>>"$work/cage.log" &
  cage_pid=$!
  wait_for 15 "cage's socket" cage_started || { cat "$work/cage.log" >&2; exit 1; }
  export WAYLAND_DISPLAY=$cage_socket
  unset DISPLAY
  # Cage's window is the one window on the X server besides the root.
  x_root=$(x_tool search --maxdepth 0 --name '')
  X_WINDOW=
  wait_for 10 "cage's window on the X server" cage_window_found
  # The X11 backend takes its window's size for the output's.
  within 5 "cage's window to take the size $size" env DISPLAY="$X_DISPLAY" \
    xdotool windowsize --sync "$X_WINDOW" "${size%x*}" "${size#*x}"
  focus_compositor
}

cage_started() {
  cage_socket=$(cd "$XDG_RUNTIME_DIR" && find . -maxdepth 1 -type s -name 'wayland-*' -printf '%f\n' | head -n 1)
  [ -n "$cage_socket" ] && return 0
  process_gone "$cage_pid" && { echo "FAIL: cage ended at its start" >&2; cat "$work/cage.log" >&2; exit 1; }
  return 1
}

cage_window_found() {
  X_WINDOW=$(x_tool search --maxdepth 1 --onlyvisible --name '' 2>/dev/null | grep -vx "$x_root" | head -n 1) || true
  [ -n "$X_WINDOW" ]
}

stop_cage_session() {
  if [ -n "$cage_pid" ]; then
    if [ -s "$XDG_RUNTIME_DIR/program" ]; then kill "$(cat "$XDG_RUNTIME_DIR/program")" 2>/dev/null || true; fi
    wait_for 2 "cage to end with its program" process_gone "$cage_pid" 2>/dev/null || true
    end_process "$cage_pid" cage
  fi
  cage_pid=
  stop_virtual_x_server
}
