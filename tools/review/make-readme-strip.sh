#!/usr/bin/env bash
# Renders the frames shown at the top of README.md from a build and writes
# them as one picture, three frames across and two down, in 256 colours.
#   tools/review/make-readme-strip.sh [BUILD_FOLDER] [OUTPUT_PNG]
# Defaults: build/release and docs/frames.png.
set -euo pipefail

root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/release}"
output="${2:-$root/docs/frames.png}"
# The landscape under the ring, then each title card where it reads best.
frames=(1900 2250 3750 4250 5900 6800)

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for k in "${frames[@]}"; do
  "$build/kelvor-capture" --assets "$build/show" --first "$k" --last "$k" --png "$work" 2> /dev/null
done

python=/usr/bin/python3
[ -x "$python" ] || python=python3
mkdir -p "$(dirname "$output")"
"$python" - "$output" "${frames[@]/#/$work/frame_}" <<'EOF'
import sys
from PIL import Image

output, paths = sys.argv[1], [p + ".png" for p in sys.argv[2:]]
columns, gap = 3, 4
frames = [Image.open(p).convert("RGB") for p in paths]
w, h = frames[0].size
rows = (len(frames) + columns - 1) // columns
strip = Image.new("RGB", (columns * w + (columns - 1) * gap, rows * h + (rows - 1) * gap), (56, 56, 56))
for i, frame in enumerate(frames):
    strip.paste(frame, ((i % columns) * (w + gap), (i // columns) * (h + gap)))
strip.quantize(256, method=Image.MEDIANCUT, dither=Image.NONE).save(output, optimize=True)
EOF
echo "wrote $output"
