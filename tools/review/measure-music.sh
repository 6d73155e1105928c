#!/usr/bin/env bash
# Renders one show cycle of the music through kelvor-capture and prints its
# loudness, stereo, tone and onset figures; paints a spectrogram.
# usage: tools/review/measure-music.sh [BUILD_DIR [OUT_DIR]]
set -euo pipefail
build=${1:-build/release}
out=${2:-$build/music-review}
# Debian's python3 carries numpy and Pillow (python3-numpy, python3-pil).
python=/usr/bin/python3
[ -x "$python" ] || python=python3
exec "$python" "$(dirname "$0")/measure_music.py" "$build/kelvor-capture" "$build/show" "$out"
