# Sourced by the live checks that need a virtual X server of their own, kept
# in the caller's private folder $work:
#   start_virtual_x_server WIDTHxHEIGHT [SERVER ARGUMENTS...]
# ends the one started before, if any, starts Xvfb with a screen of that size
# and sets xvfb to its process and x_display to its name; stop_virtual_x_server
# ends it.
# The server picks a free display itself and names it once it is ready;
# choosing the number beforehand (as xvfb-run -a does) races with other
# servers started at the same moment, as under a parallel ctest. Without
# -noreset the server resets whenever its last client leaves (between two
# xdotool calls, or when a show ends) and refuses connections meanwhile.
# shellcheck source=wait_for.sh
. "$(dirname "${BASH_SOURCE[0]}")/wait_for.sh"
xvfb=
x_display=

start_virtual_x_server() {
  local size=$1
  shift
  stop_virtual_x_server
  rm -f "$work/display"
  Xvfb -displayfd 3 -noreset -screen 0 "${size}x24" -nolisten tcp "$@" 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb=$!
  wait_for 15 "Xvfb to name its display" x_server_started || { cat "$work/xvfb.log" >&2; exit 1; }
  x_display=":$(head -n 1 "$work/display")"
}

x_server_started() {
  [ -s "$work/display" ] && return 0
  process_gone "$xvfb" && { echo "FAIL: Xvfb ended at its start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
  return 1
}

# Waiting for the server to be gone keeps a server started next from taking
# its display number while this one still removes its sockets.
stop_virtual_x_server() {
  if [ -n "$xvfb" ]; then end_process "$xvfb" Xvfb; fi
  xvfb=
}
