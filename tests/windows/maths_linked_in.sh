#!/usr/bin/env bash
# The maths functions the frame code calls (those of the C maths library
# that the native frame libraries leave undefined: sin, cos, ...) are linked
# into the Windows programs from mingw-w64's own library, not imported from
# a system DLL. So under Wine the programs run the very arithmetic they run
# on Windows, and the frame checks under Wine hold for Windows too.
# Usage: maths_linked_in.sh "PROGRAM.EXE..." NATIVE_LIBRARY.a...
set -euo pipefail
read -r -a programs <<< "$1"
shift
libm=
for candidate in /lib/x86_64-linux-gnu/libm.so.6 /usr/lib/x86_64-linux-gnu/libm.so.6; do
  [ -f "$candidate" ] && libm=$candidate && break
done
[ -n "$libm" ] || { echo "FAIL: no libm.so.6 to tell the maths functions by"; exit 1; }
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
nm -u --format=posix "$@" 2>/dev/null | awk 'NF { print $1 }' | sort -u > "$work/undefined"
nm -D --defined-only "$libm" | awk '{ sub(/@.*/, "", $3); print $3 }' | sort -u > "$work/libm"
comm -12 "$work/undefined" "$work/libm" > "$work/maths"
[ -s "$work/maths" ] || { echo "FAIL: found no maths function the frame code calls; the check would prove nothing"; exit 1; }
echo "the frame code calls: $(tr '\n' ' ' < "$work/maths")"
failed=0
for program in "${programs[@]}"; do
  # The import table: "DLL Name: X" starts each DLL's list of names.
  x86_64-w64-mingw32-objdump -p "$program" \
    | awk '/DLL Name:/ { dll = $3 } /^\t[0-9a-f]+[ \t]+[0-9]+ +[A-Za-z_]/ && dll { print $3, dll }' \
    | sort > "$work/imports"
  [ -s "$work/imports" ] || { echo "FAIL: $program: no import table read"; failed=1; continue; }
  imported=$(join "$work/maths" "$work/imports" || true)
  if [ -n "$imported" ]; then
    echo "FAIL: $program imports maths the frames depend on: $imported"
    failed=1
  else
    echo "ok: $program links them in ($(wc -l < "$work/imports") other functions imported)"
  fi
done
exit "$failed"
