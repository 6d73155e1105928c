#!/usr/bin/env bash
# kelvor.exe's command line under Wine, with no display: --version prints the
# project's one version, --help the usage, a wrong option its line on stderr
# and status 2. The capture tool: its version, PNG frames and WAV music, and
# --video refused with what to do instead. And the zip: what it holds.
# Usage: command_line_under_wine.sh WINDOWS_FOLDER VERSION ZIP
set -euo pipefail
folder=$1; version=$2; zip=$3
work=$(mktemp -d)
# shellcheck source=../support/wait_for.sh
. "$(dirname "$0")/../support/wait_for.sh"
# The Wine tests take turns; the next one must not find this one's Wine
# server (and its desktop, bound to a display or to none) still running.
trap 'rm -rf "$work"; within 30 "the Wine server to end" wineserver --wait' EXIT
checks=0; failed=0
# Each check: name=...; if CONDITION; then pass; else miss; fi
pass() { checks=$((checks + 1)); echo "ok: $name"; }
miss() { checks=$((checks + 1)); failed=$((failed + 1)); echo "FAILED: $name"; }
# Runs a program; $status, $stdout (without the CRs) and $work/err after it.
run() {
  status=0
  within 30 "wine $(basename "$1") to end" env -u DISPLAY -u WAYLAND_DISPLAY wine "$@" > "$work/out" 2> "$work/err" \
    || status=$?
  [ "$status" -ne 124 ] || tail -n 1 "$work/err"
  stdout=$(tr -d '\r' < "$work/out")
}

run "$folder/kelvor.exe" --version
name="kelvor.exe --version prints 'kelvor $version'"
if [ "$stdout" = "kelvor $version" ] && [ "$status" = 0 ]; then pass; else miss; fi

run "$folder/kelvor.exe" --help
name="kelvor.exe --help prints the usage"
if grep -q '^Usage: kelvor \[--fullscreen\]' <<< "$stdout" && grep -q -- --version <<< "$stdout" && [ "$status" = 0 ]; then pass; else miss; fi

run "$folder/kelvor.exe" --nope
name="kelvor.exe --nope: status 2, the option named on stderr"
if [ "$status" = 2 ] && grep -q "unknown option '--nope'" "$work/err" && [ -z "$stdout" ]; then pass; else miss; fi

run "$folder/kelvor-capture.exe" --version
name="kelvor-capture.exe --version prints 'kelvor-capture $version'"
if [ "$stdout" = "kelvor-capture $version" ]; then pass; else miss; fi

run "$folder/kelvor-capture.exe" --assets "$folder" --last 2 --video "$work/x.mp4"
name="kelvor-capture.exe --video: status 1, says it is not available"
if [ "$status" = 1 ] && grep -q "video is not available" "$work/err" && [ ! -e "$work/x.mp4" ]; then pass; else miss; fi

run "$folder/kelvor-capture.exe" --assets "$folder" --last 3 --png "$work/png" --wav "$work/music.wav"
name="kelvor-capture.exe writes PNG frames and three frames' music"
if [ "$status" = 0 ] && [ "$(od -An -tx1 -N8 "$work/png/frame_3.png" | tr -d ' \n')" = 89504e470d0a1a0a ] \
  && [ "$(head -c 4 "$work/music.wav")" = RIFF ] && [ "$(stat -c %s "$work/music.wav")" -eq $((44 + 3 * 630 * 4)) ]; then
  pass
else
  miss
fi

name="the zip holds the programs, the show files, README.txt and the licences, no DLL"
top=kelvor-$version-windows-x86_64
# The show's files as the build names them ($KELVOR_SHOW_FACTS_SH, tests/windows).
show_files=$(source "${KELVOR_SHOW_FACTS_SH:?}" && echo "$KELVOR_SHOW_FILES")
# shellcheck disable=SC2086
expected=$(printf "$top/%s\n" kelvor.exe kelvor-capture.exe $show_files README.txt licences/KELVOR.txt licences/SDL2.txt licences/libopenmpt.txt \
  licences/libpng.txt licences/zlib.txt licences/mingw-w64-runtime.txt licences/gcc-runtime.txt | sort)
listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
if [ "$listed" = "$expected" ]; then pass; else miss; diff <(echo "$expected") <(echo "$listed") || true; fi

echo "$failed of $checks checks failed"
[ "$failed" -eq 0 ]
