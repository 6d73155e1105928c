#!/usr/bin/env bash
# Installs the Debian packages KELVOR needs to build, run and test, skipping
# those already present. Uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config g++ clang libclang-rt-14-dev
  libgtest-dev libbenchmark-dev
  libpng-dev libsdl2-dev libopenmpt-dev
  ffmpeg xvfb xauth xdotool x11-apps imagemagick
  xfonts-base
  libxmp-dev python3 python3-pil python3-numpy
  # Reviewing the pictures (tools/review): OCR of the titles.
  tesseract-ocr tesseract-ocr-eng
  emscripten chromium chromium-driver python3-selenium
  # Installing and packaging (tests/packaging): dpkg-shlibdeps (dpkg-dev) and
  # file for cpack's .deb, its validators, and man to render the pages.
  dpkg-dev file lintian desktop-file-utils appstream man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# The web build's music player comes from the npm registry. A Node.js from
# elsewhere brings its own npm; Debian's Node.js needs Debian's npm.
if ! command -v npm > /dev/null 2>&1; then
  missing+=(npm)
fi

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
