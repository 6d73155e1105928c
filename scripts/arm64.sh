#!/usr/bin/env bash
# KELVOR for 64-bit ARM (Raspberry Pi 4 and 5, ARM laptops), cross-built on
# this Debian machine into build-arm64:
#   scripts/arm64.sh                    installs what is missing and builds
#   scripts/arm64.sh --package          ... and writes build-arm64/kelvor_VERSION_arm64.deb
#   scripts/arm64.sh --test NATIVE_BUILD
#                                       ... and checks the arm64 build under qemu-aarch64
#                                       against NATIVE_BUILD, this machine's release build
#                                       of the same sources (tests/arm64/run_under_qemu.sh)
# The cross compiler, qemu and the arm64 builds of the libraries come from
# Debian's archive; the libraries install beside the native ones (multiarch),
# which needs the arm64 architecture added to dpkg once.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-arm64"
jobs="$(nproc)"
mode="${1:-}"
native=""
case "$mode" in
  "" | --package) ;;
  --test)
    native="$(cd "${2:?--test needs the native build folder}" && pwd)" ;;
  *)
    echo "usage: $0 [--package | --test NATIVE_BUILD]" >&2; exit 2 ;;
esac

"$root/scripts/packages.sh" show arm64
cd "$root"

echo "== arm64 build (build-arm64)"
cmake --preset arm64 > /dev/null
cmake --build --preset arm64 -j"$jobs"

if [ "$mode" = --package ]; then
  (cd "$build" && cpack > /dev/null)
  ls "$build"/kelvor_*_arm64.deb
fi
if [ "$mode" = --test ]; then
  echo "== arm64 build under qemu-aarch64, against $native"
  "$root/tests/arm64/run_under_qemu.sh" "$native" "$build"
fi
