#!/usr/bin/env bash
# The capture tool's command line: what it writes, and how it fails.
set -uo pipefail
capture="$1"; make_pictures="$2"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
failures=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi; }

mkdir "$work/assets"
"$make_pictures" "$work/assets"

# Checksums: one line per emitted frame, 16 lowercase hex digits, and the same
# frames whatever range is asked for.
"$capture" --assets "$work/assets" --first 3 --last 6 --checksums > "$work/a.txt" 2> "$work/a.err"
check "exit status 0" "[ $? -eq 0 ]"
check "four checksum lines" "[ \$(wc -l < '$work/a.txt') -eq 4 ]"
check "line format" "grep -qxE '3 [0-9a-f]{16}' '$work/a.txt' && grep -qxE '6 [0-9a-f]{16}' '$work/a.txt'"
"$capture" --assets "$work/assets" --last 6 --checksums > "$work/b.txt" 2>/dev/null
check "ranges agree" "[ \"\$(tail -4 '$work/b.txt')\" = \"\$(cat '$work/a.txt')\" ]"
check "frames differ" "[ \$(cut -d' ' -f2 '$work/b.txt' | sort -u | wc -l) -eq 6 ]"
# Every instruction set draws the same frames as the best one.
"$capture" --assets "$work/assets" --first 3 --last 6 --checksums --simd portable > "$work/p.txt" 2>/dev/null
check "--simd portable: the same frames" "cmp -s '$work/a.txt' '$work/p.txt'"
check "summary on stderr" "grep -q '6 frames rendered' '$work/a.err' || grep -q 'frames rendered' '$work/a.err'"

# Frame rates: 70 (the clock's steady steps) is the default for checksums;
# at a display's rate the same seconds hold fewer, different frames.
"$capture" --assets "$work/assets" --last 6 --fps 70 --checksums > "$work/c70.txt" 2>/dev/null
check "--fps 70 is the default for checksums" "cmp -s '$work/c70.txt' '$work/b.txt'"
"$capture" --assets "$work/assets" --seconds 0.5 --fps 60 --checksums > "$work/c60.txt" 2>/dev/null
check "--fps 60: 30 frames in half a second" "[ \$(wc -l < '$work/c60.txt') -eq 30 ]"
check "--fps 60 frames are not the steady steps' frames" "[ \"\$(head -1 '$work/c60.txt')\" != \"\$(head -1 '$work/b.txt')\" ]"
"$capture" --assets "$work/assets" --first 28 --last 30 --fps 60 --checksums > "$work/c60b.txt" 2>/dev/null
check "--fps 60: ranges agree" "[ \"\$(tail -3 '$work/c60.txt')\" = \"\$(cat '$work/c60b.txt')\" ]"

# PNG frames, scaled.
(cd "$work/assets" && "$capture" --first 2 --last 2 --png "$work/png" --scale 2 2>/dev/null)
check "png written from the working directory's pictures" "[ -s '$work/png/frame_2.png' ]"
check "png is 640x400" "[ \"\$(od -An -tx1 -j16 -N8 '$work/png/frame_2.png' | tr -d ' \n')\" = 0000028000000190 ]"
check "no temporary files left" "[ -z \"\$(ls '$work/png' | grep -v '^frame_2.png$')\" ]"

# Failures: one line on stderr, a non-zero status.
expect_failure() {
  local name="$1"; shift
  "$@" > "$work/out.txt" 2> "$work/err.txt"
  local status=$?
  check "$name fails" "[ $status -ne 0 ]"
  check "$name says why in one line" "[ \$(wc -l < '$work/err.txt') -eq 1 ]"
}
expect_failure "unknown argument" "$capture" --bogus
expect_failure "bad number" "$capture" --last 12x
expect_failure "reversed range" "$capture" --first 9 --last 3
expect_failure "bad scale" "$capture" --scale 0
expect_failure "a rate the live show never presents" "$capture" --fps 65
expect_failure "unknown level" "$capture" --simd mmx --last 1
check "unknown level lists the available ones" "grep -q 'portable' '$work/err.txt'"
expect_failure "missing folder" "$capture" --assets "$work/nowhere"
cp -r "$work/assets" "$work/partial"; rm "$work/partial/data4.pcx"
expect_failure "missing picture" "$capture" --assets "$work/partial" --last 1
check "missing picture named" "grep -q 'data4.pcx' '$work/err.txt'"
"$capture" --help > "$work/help.txt"
check "help documents the options" "grep -q -- '--checksums' '$work/help.txt' && grep -q -- '--png' '$work/help.txt' && grep -q -- '--fps' '$work/help.txt'"

echo "$failures failed checks"
[ $failures -eq 0 ]
