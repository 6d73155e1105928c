#!/usr/bin/env bash
# The show given damaged, missing or misplaced files, one case at a time, in
# a virtual X server: each picture and demo.xm in turn missing, empty,
# truncated, a directory, a named pipe, unreadable or garbage, and demo.xm a
# valid module of another format. Every case must end with status 0, with no crash and no
# hang, showing the expected message (its box is dismissed with Return, as a
# user would) and then the expected outcome. Prints a table of the cases.
# Usage: hostile_files.sh KELVOR MAKE_SHOW_PICTURES
set -euo pipefail

if ! command -v Xvfb >/dev/null 2>&1; then
  echo "SKIP: Xvfb is not installed (Debian package xvfb); the show was not run."
  exit 77
fi
for tool in xdotool xwd od awk setpriv; do
  command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done
make_files=$2
work=$(mktemp -d)
pid=
# shellcheck source=../support/virtual_x_server.sh
. "$(dirname "$0")/../support/virtual_x_server.sh"
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -9 "$pid"; fi
  stop_virtual_x_server
  rm -rf "$work"
}
trap cleanup EXIT

# Everything a case needs is reachable by the unprivileged user that runs
# the unreadable cases when this script runs as root (root reads any file);
# the X server, started without an authority file, takes any local client.
chmod 755 "$work"
cp "$1" "$work/kelvor"
"$make_files" --hostile "$work/files"
mkdir -m 1777 "$work/audio"
start_virtual_x_server 1024x768
export DISPLAY=$x_display
unset XAUTHORITY WAYLAND_DISPLAY

# Seconds a case may take before it counts as a hang.
limit=20

# Replaces the file in the case folder according to the damage.
damage_file() {
  local target=$1 damage=$2
  case $damage in
    missing) rm "$target" ;;
    empty) : > "$target" ;;
    truncated) head -c "$(( $(stat -c %s "$target") / 2 ))" "$target" > "$target.part" && mv "$target.part" "$target" ;;
    directory) rm "$target" && mkdir "$target" ;;
    named-pipe) rm "$target" && mkfifo "$target" ;;
    unreadable) chmod 000 "$target" ;;
    garbage) cp "$work/files/garbage.bin" "$target" ;;
    other-format) cp "$work/files/other-format.mod" "$target" ;;
  esac
}

# Visible top-level windows as "ID NAME" lines.
windows() {
  local id
  for id in $(xdotool search --onlyvisible --class '' 2>/dev/null); do
    echo "$id $(xdotool getwindowname "$id" 2>/dev/null || true)"
  done
}

press() {
  xdotool windowfocus "$1" 2>/dev/null || true
  xdotool key --clearmodifiers "$2" 2>/dev/null || true
}

# Watches the running show: dismisses each message box, and once the show's
# window is up, checks that its picture moves and ends the show with Esc.
# Sets boxes, window and moving; the show has ended (or hung) on return.
watch_show() {
  local deadline=$((SECONDS + limit)) handled=" " id name
  boxes=0 window=no moving=no
  while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
    while read -r id name; do
      if [ "$name" = err ] && [[ $handled != *" $id "* ]]; then
        handled+="$id "
        boxes=$((boxes + 1))
        press "$id" Return
      elif [ "$name" = KELVOR ] && [ "$window" = no ]; then
        window=yes
        xdotool mousemove --window "$id" 100 100 2>/dev/null || true
        sleep 1
        xwd -id "$id" -silent > "$work/shot1" 2>/dev/null || true
        sleep 0.5
        xwd -id "$id" -silent > "$work/shot2" 2>/dev/null || true
        if [ -s "$work/shot1" ] && ! cmp -s "$work/shot1" "$work/shot2"; then moving=yes; fi
        press "$id" Escape
      fi
    done < <(windows)
    sleep 0.1
  done
}

# The loudest 16-bit sample the show sent to the audio output, or "none".
loudest_sample() {
  local file="$work/audio/out.raw"
  if [ ! -s "$file" ]; then echo none; return; fi
  od -An -v -t d2 -w2 "$file" | awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }'
}

failures=0
cases=0
table="| File | Damage | Message | Window | Music | Status | Result |
|---|---|---|---|---|---|---|"

# run_case FILE DAMAGE MESSAGE WINDOW MUSIC: MESSAGE is the expected text
# after "err: " or "-" for none; WINDOW yes or no; MUSIC audible, silent or
# none (no audio output started).
run_case() {
  local file=$1 damage=$2 want_message=$3 want_window=$4 want_music=$5
  local dir="$work/case" runner=() status=0 problems=()
  rm -rf "$dir"
  cp -r "$work/files/show" "$dir"
  chmod 755 "$dir"
  damage_file "$dir/$file" "$damage"
  if [ "$damage" = unreadable ] && [ "$(id -u)" -eq 0 ]; then
    runner=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  fi
  rm -f "$work/audio/out.raw"

  (cd "$dir" && SDL_AUDIODRIVER=disk \
      SDL_DISKAUDIOFILE="$work/audio/out.raw" exec "${runner[@]}" "$work/kelvor") \
    2>"$work/stderr" &
  pid=$!
  watch_show
  if kill -0 "$pid" 2>/dev/null; then
    problems+=("still running after ${limit} s")
    kill -9 "$pid"
  fi
  wait "$pid" || status=$?
  pid=

  local message loudest music
  message=$(sed -n 's/^err: //p' "$work/stderr" | paste -sd ';' -)
  message=${message:--}
  loudest=$(loudest_sample)
  case $loudest in
    none) music=none ;;
    *) if [ "$loudest" -gt 1000 ]; then music=audible; else music=silent; fi ;;
  esac

  [ "$status" -eq 0 ] || problems+=("status $status")
  [ "$message" = "$want_message" ] || problems+=("message '$message', expected '$want_message'")
  [ "$boxes" -eq "$(grep -c '^err: ' "$work/stderr" || true)" ] || problems+=("$boxes message boxes")
  [ "$window" = "$want_window" ] || problems+=("window $window, expected $want_window")
  if [ "$window" = yes ] && [ "$moving" = no ]; then problems+=("the picture did not move"); fi
  [ "$music" = "$want_music" ] || problems+=("music $music, expected $want_music")

  local result=ok
  if [ ${#problems[@]} -gt 0 ]; then
    result="FAIL: $(IFS=';'; echo "${problems[*]}")"
    failures=$((failures + 1))
    echo "--- stderr of the show, $file $damage:" >&2
    cat "$work/stderr" >&2
  fi
  cases=$((cases + 1))
  local shown_message=$message
  [ "$message" = - ] || shown_message="\"$message\""
  table+="
| $file | $damage | $shown_message | $window | $music | $status | $result |"
}

for number in 1 2 3 4 5 6 7; do
  picture=data$number.pcx
  for damage in missing directory named-pipe unreadable; do
    run_case "$picture" "$damage" "couldn't load $picture" no none
  done
  # The loader reads any regular file: what it cannot read counts as byte
  # 255, so the show runs with a damaged picture.
  for damage in empty truncated garbage; do
    run_case "$picture" "$damage" - yes audible
  done
done
# A named pipe in place of the module is refused before it is opened, so
# the show never waits for a writer at start-up.
for damage in missing empty directory named-pipe unreadable garbage; do
  run_case demo.xm "$damage" "couldn't load demo.xm" yes silent
done
# The music library takes what is left of a cut-off module: its patterns
# play, the samples it lost are silence.
run_case demo.xm truncated - yes silent
run_case demo.xm other-format - yes audible

echo "$table"
if [ "$failures" -gt 0 ]; then
  echo "FAIL: $failures of $cases cases" >&2
  exit 1
fi
echo "PASS: $cases cases, each ended with status 0 and the expected message and outcome"
