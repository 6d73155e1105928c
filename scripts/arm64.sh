#!/usr/bin/env bash
# KELVOR for 64-bit ARM (Raspberry Pi 4 and 5, ARM laptops), cross-built on
# this Debian machine into build/arm64:
#   scripts/arm64.sh            installs what is missing and builds
#   scripts/arm64.sh --package  ... and writes build/arm64/kelvor_VERSION_arm64.deb
# Its tests run under qemu-aarch64, against the release build of the same
# sources (build/release): ctest --preset arm64.
# The cross compiler, qemu and the arm64 builds of the libraries come from
# Debian's archive; the libraries install beside the native ones (multiarch),
# which needs the arm64 architecture added to dpkg once.
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
  "" | --package) ;;
  *) echo "usage: $0 [--package]" >&2; exit 2 ;;
esac
scripts/packages.sh show arm64
cmake --preset arm64 > /dev/null
cmake --build --preset arm64
if [ "${1:-}" = --package ]; then
  (cd build/arm64 && cpack > /dev/null)
  ls build/arm64/kelvor_*_arm64.deb
fi
