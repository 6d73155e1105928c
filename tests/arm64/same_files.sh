#!/usr/bin/env bash
# The files the arm64 build's generator and capture tool wrote (the show's
# files, the icons and the screenshot) are the native build's, byte for byte.
# Usage: same_files.sh NATIVE_BUILD ARM64_BUILD SHOW_FILE...
set -uo pipefail
native=$1 arm=$2
shift 2
files=()
for file in "$@"; do files+=("show/$file"); done
while IFS= read -r file; do files+=("packaging/$file"); done \
  < <(cd "$native/packaging" && find icons screenshots -name '*.png' | sort)
[ ${#files[@]} -gt "$#" ] || { echo "no icons or screenshot in $native/packaging"; exit 1; }
differing=0
for file in "${files[@]}"; do
  cmp -s "$native/$file" "$arm/$file" || { echo "differs from the native build's: $file"; differing=1; }
done
[ "$differing" -eq 0 ] && echo "${#files[@]} files identical"
exit "$differing"
