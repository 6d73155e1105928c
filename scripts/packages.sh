#!/usr/bin/env bash
# Installs the Debian packages of the named sets that are missing, in one
# apt-get call, with sudo when not run as root:
#   scripts/packages.sh show             what ./scripts/show.sh needs
#   scripts/packages.sh show test web    several sets at once
# The sets:
#   show     compiler, CMake, pkg-config, SDL2, libopenmpt and libpng
#   test     the suite: clang, ccache, GoogleTest, Google Benchmark, Xvfb
#            and the X tools, ffmpeg, the review tools' Python and OCR, the
#            packaging validators
#   web      emscripten and npm (the build), Chromium and Firefox ESR (its
#            tests)
#   windows  mingw-w64 and Wine (with PulseAudio's client library for its
#            sound driver)
#   arm64    the cross compiler, qemu and the arm64 libraries (multiarch)
# With KELVOR_PACKAGES_READY=1 in the environment it does nothing: the test
# command installs every set once and then runs the other scripts.
set -euo pipefail

set_show=(g++ make cmake pkg-config libsdl2-dev libopenmpt-dev libpng-dev)
set_test=(
  build-essential clang libclang-rt-14-dev
  # The builds compile through it when it is there (KELVOR_CCACHE): a run
  # after another one recompiles only what changed.
  ccache
  libgtest-dev libbenchmark-dev
  ffmpeg xvfb xauth xdotool x11-apps imagemagick
  xfonts-base
  libxmp-dev python3 python3-pil python3-numpy
  # Reviewing the pictures (tools/review): OCR of the titles.
  tesseract-ocr tesseract-ocr-eng
  # Installing and packaging (tests/packaging): dpkg-shlibdeps (dpkg-dev) and
  # file for cpack's .deb, its validators, and man to render the pages.
  dpkg-dev file lintian desktop-file-utils appstream man-db
  # The show on real servers started by the tests: Wayland compositors
  # (tests/wayland: weston, and cage, which will not start without
  # Xwayland) and a sound server with its recorder (tests/sound).
  weston cage xwayland pulseaudio pulseaudio-utils
  # The title bar SDL draws on Wayland through libdecor, with its close
  # button (a Recommends of libsdl2, which the install above leaves out).
  libdecor-0-plugin-1-cairo
)
set_web=(emscripten chromium chromium-driver python3-selenium firefox-esr python3-websocket)
set_windows=(g++-mingw-w64-x86-64 libz-mingw-w64-dev wine64 wine libpulse0 dpkg-dev zip unzip)
set_arm64=(
  crossbuild-essential-arm64 qemu-user pkgconf:arm64
  libsdl2-dev:arm64 libopenmpt-dev:arm64 libpng-dev:arm64
  libgtest-dev:arm64 libbenchmark-dev:arm64
)

if [ "${KELVOR_PACKAGES_READY:-}" = 1 ]; then
  exit 0
fi
if [ $# -eq 0 ]; then
  echo "usage: $0 SET... (show, test, web, windows, arm64)" >&2
  exit 2
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

wanted=()
for name in "$@"; do
  case "$name" in
    show) wanted+=("${set_show[@]}") ;;
    test) wanted+=("${set_test[@]}") ;;
    web) wanted+=("${set_web[@]}") ;;
    windows) wanted+=("${set_windows[@]}") ;;
    arm64)
      wanted+=("${set_arm64[@]}")
      # The arm64 libraries install beside the native ones.
      if ! dpkg --print-foreign-architectures | grep -qx arm64; then
        "${sudo_cmd[@]}" dpkg --add-architecture arm64
      fi ;;
    *) echo "$0: no package set '$name' (show, test, web, windows, arm64)" >&2; exit 2 ;;
  esac
done

# A name without an architecture means this machine's own (or "all"): with
# the arm64 libraries in, dpkg-query also answers for libgtest-dev:arm64
# when asked about libgtest-dev.
native="$(dpkg --print-architecture)"
installed() {
  local name=${1%%:*} arch=${1#*:}
  [ "$arch" != "$1" ] || arch=$native
  dpkg-query -W -f='${Status} ${Architecture}\n' "$name" 2>/dev/null \
    | grep -qE "^install ok installed ($arch|all)$"
}
missing=()
for p in "${wanted[@]}"; do
  installed "$p" || missing+=("$p")
done
# The web build's music player comes from the npm registry. A Node.js from
# elsewhere brings its own npm; Debian's Node.js needs Debian's npm.
if [[ " $* " == *" web "* ]] && ! command -v npm > /dev/null 2>&1; then
  missing+=(npm)
fi

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
