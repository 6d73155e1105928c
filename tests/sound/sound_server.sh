# Sourced by the tests that need a sound server: a PulseAudio of their own,
# in the private folder $work (made by the caller), with one null sink named
# "kelvor" (its monitor, kelvor.monitor, can be recorded) and a socket that
# any client of this user may use. It runs until stop_sound_server; root is
# fine for a server that only the test uses.
# Like a desktop's server (which rtkit lifts), it runs at a high priority with
# realtime I/O threads: a server at a build's priority runs dry on a busy
# machine before any client does, and the test would be measuring that.
# After start_sound_server: XDG_RUNTIME_DIR and PULSE_SERVER point at it, for
# native programs, Wine's winepulse and browsers alike.
# shellcheck source=../support/wait_for.sh
. "$(dirname "${BASH_SOURCE[0]}")/../support/wait_for.sh"
sound_server_pid=

start_sound_server() {
  local tool
  for tool in pulseaudio pactl; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed" >&2; exit 1; }
  done
  export XDG_RUNTIME_DIR="$work/runtime" PULSE_SERVER="unix:$work/pulse.sock"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  HOME="$work" pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --high-priority=yes --realtime=yes \
    -L "module-null-sink sink_name=kelvor rate=44100" \
    -L "module-native-protocol-unix socket=$work/pulse.sock auth-anonymous=1" > "$work/pulse.log" 2>&1 &
  sound_server_pid=$!
  wait_for 15 "PulseAudio to answer on $PULSE_SERVER" sound_server_answers || { cat "$work/pulse.log" >&2; exit 1; }
}

# A server that took the connection but never answers would hold pactl.
sound_server_answers() {
  timeout 2 pactl info > /dev/null 2>&1 && return 0
  process_gone "$sound_server_pid" && { echo "FAIL: PulseAudio ended at its start" >&2; cat "$work/pulse.log" >&2; exit 1; }
  return 1
}

stop_sound_server() {
  if [ -n "$sound_server_pid" ]; then end_process "$sound_server_pid" PulseAudio; fi
  sound_server_pid=
}
