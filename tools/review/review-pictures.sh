#!/usr/bin/env bash
# Reviews the show's pictures: renders a cycle for each NAME=FOLDER given,
# prints the figures and writes contact sheets (see review_pictures.py).
# Runs Debian's own python3, which carries numpy and Pillow.
#   tools/review/review-pictures.sh [--capture PROGRAM] [--out FOLDER] NAME=FOLDER ...
set -euo pipefail
python=/usr/bin/python3
[ -x "$python" ] || python=python3
exec nice -n 10 "$python" "$(dirname "$0")/review_pictures.py" "$@"
