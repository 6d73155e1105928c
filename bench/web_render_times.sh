#!/usr/bin/env bash
# Scene::render per frame, mean over frames 1..8100 of the show's pictures:
# natively (kelvor-capture) and in headless Chromium (bench/web_render_times.py)
# and in headless Firefox ESR (in_firefox.sh --render-time), in alternating
# rounds on the same machine.
#   web_render_times.sh SITE KELVOR_CAPTURE PICTURES [ROUNDS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
firefox="$here/../tests/web/in_firefox.sh"
site=$(cd "$1" && pwd) capture=$(readlink -f "$2") pictures=$(cd "$3" && pwd)
rounds=${4:-3}
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
for round in $(seq "$rounds"); do
  /usr/bin/python3 "$here/web_render_times.py" --capture "$capture" --pictures "$pictures" --rounds 1 "$site" \
    2>/dev/null | sed -n '2,$p' | sed "s|$site *|chromium                                 |"
  echo "  firefox                                  $("$firefox" --render-time "$site" "$pictures" 2>/dev/null | grep -E "^[0-9.]+$")"
done
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
