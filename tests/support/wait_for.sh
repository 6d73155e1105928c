# shellcheck shell=bash
# Sourced by the live tests: every wait in them is bounded, and a wait that
# runs out says what it was waiting for, so that a stall fails within a
# minute instead of passing late or hanging until CTest's own timeout.
#
#   wait_for SECONDS WHAT COMMAND...
#     runs COMMAND (a program or a shell function) every tenth of a second
#     until it succeeds; after SECONDS without success it prints
#     "FAIL: gave up after SECONDS s waiting for WHAT" and returns 1.
#   within SECONDS WHAT PROGRAM...
#     runs PROGRAM with its process group ended after SECONDS; when that
#     happens it prints "FAIL: gave up after SECONDS s waiting for WHAT" and
#     returns 124. Otherwise it returns PROGRAM's status.
#   end_process PID WHAT
#     asks the background process PID to end (SIGTERM), waits up to 10 s,
#     then kills it (and says so); reaps it either way.
#
# A caller under set -e that needs nothing more on failure can leave the
# status alone; one with logs to show writes "wait_for ... || fail".

now_microseconds() {
  local now=${EPOCHREALTIME//[!0-9]/}
  echo "$((10#$now))"
}

wait_for() {
  local seconds=$1 what=$2 deadline
  shift 2
  deadline=$(($(now_microseconds) + seconds * 1000000))
  until "$@"; do
    if [ "$(now_microseconds)" -ge "$deadline" ]; then
      echo "FAIL: gave up after $seconds s waiting for $what" >&2
      return 1
    fi
    sleep 0.1
  done
}

within() {
  local seconds=$1 what=$2 status=0
  shift 2
  timeout --kill-after=5 "$seconds" "$@" || status=$?
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "FAIL: gave up after $seconds s waiting for $what" >&2
    return 124
  fi
  return "$status"
}

process_gone() {
  ! kill -0 "$1" 2>/dev/null
}

end_process() {
  local pid=$1 what=$2
  kill "$pid" 2>/dev/null || true
  if ! wait_for 10 "$what to end after SIGTERM" process_gone "$pid" 2>/dev/null; then
    echo "note: $what did not end within 10 s of SIGTERM; killed" >&2
    kill -KILL "$pid" 2>/dev/null || true
  fi
  wait "$pid" 2>/dev/null || true
}
