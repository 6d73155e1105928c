#!/usr/bin/env bash
# Video capture end to end: streams, sizes, frame rate and durations checked
# with ffprobe; a frame of the lossless file equals the frame renderer's PNG;
# failures leave nothing under the final name.
set -uo pipefail
capture="$1"; assets="$2"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
# shellcheck source=../support/wait_for.sh
. "$(dirname "$0")/../support/wait_for.sh"
failures=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi; }
probe() { ffprobe -v error -show_entries "stream=$2" -of csv=p=0 "$1"; }
python=/usr/bin/python3

# MP4: H.264 at 4x with AAC, 350 frames at 60 per second (video's default).
"$capture" --assets "$assets" --last 350 --video "$work/show.mp4" --wav "$work/show.wav" 2> "$work/mp4.err"
check "mp4 capture succeeds" "[ $? -eq 0 ] && [ -s '$work/show.mp4' ]"
check "two streams" "[ \$(probe '$work/show.mp4' codec_type | wc -l) -eq 2 ]"
check "h264 1280x800 yuv420p at 60 fps" \
  "[ \"\$(probe '$work/show.mp4' codec_name,width,height,pix_fmt,r_frame_rate | head -1)\" = 'h264,1280,800,yuv420p,60/1' ]"
check "350 video frames" "[ \"\$(ffprobe -v error -select_streams v -count_frames -show_entries stream=nb_read_frames -of csv=p=0 '$work/show.mp4')\" = 350 ]"
check "aac audio" "probe '$work/show.mp4' codec_name | grep -qx aac"
video_seconds="$(ffprobe -v error -select_streams v -show_entries stream=duration -of csv=p=0 "$work/show.mp4")"
audio_seconds="$(ffprobe -v error -select_streams a -show_entries stream=duration -of csv=p=0 "$work/show.mp4")"
check "audio and video last as long within a frame ($video_seconds s, $audio_seconds s)" \
  "$python -c 'import sys; v,a=map(float,sys.argv[1:]); sys.exit(0 if abs(v-350/60)<1/60 and abs(a-v)<1/60 else 1)' '$video_seconds' '$audio_seconds'"
check "wav holds 735 samples per frame" "[ \$(stat -c %s '$work/show.wav') -eq $((44 + 350 * 735 * 4)) ]"
check "the music is not silent" "$python - '$work/show.wav' <<'PY'
import sys, wave, array
w = wave.open(sys.argv[1]); data = array.array('h', w.readframes(w.getnframes()))
sys.exit(0 if max(abs(s) for s in data) > 1000 else 1)
PY"
check "no temporary files left" "[ \$(ls '$work' | wc -l) -eq 3 ]"

# At the clock's steady 70 steps a second: 630 samples per frame.
"$capture" --assets "$assets" --last 140 --fps 70 --video "$work/steady.mp4" --wav "$work/steady.wav" 2>/dev/null
check "--fps 70 video at 70 fps" "[ \"\$(probe '$work/steady.mp4' r_frame_rate | head -1)\" = 70/1 ]"
check "--fps 70 wav holds 630 samples per frame" "[ \$(stat -c %s '$work/steady.wav') -eq $((44 + 140 * 630 * 4)) ]"
rm -f "$work/steady.mp4" "$work/steady.wav"

# Lossless MKV: its last frame equals the frame renderer's PNG at the same
# scale and rate.
"$capture" --assets "$assets" --first 301 --last 360 --video "$work/show.mkv" --scale 3 2>/dev/null
check "mkv capture succeeds" "[ $? -eq 0 ]"
check "ffv1 and 60 frames" "[ \"\$(ffprobe -v error -select_streams v -count_frames -show_entries stream=codec_name,nb_read_frames -of csv=p=0 '$work/show.mkv')\" = 'ffv1,60' ]"
ffmpeg -v error -y -i "$work/show.mkv" -vf "select=eq(n\,59)" -frames:v 1 -pix_fmt rgb24 "$work/from-video.png"
"$capture" --assets "$assets" --first 360 --last 360 --fps 60 --png "$work/png" --scale 3 2>/dev/null
check "lossless frame 360 equals the PNG" "$python - '$work/from-video.png' '$work/png/frame_360.png' <<'PY'
import sys
from PIL import Image
a, b = (Image.open(p).convert('RGB') for p in sys.argv[1:])
sys.exit(0 if a.size == b.size == (960, 600) and a.tobytes() == b.tobytes() else 1)
PY"

# Failures: a clear message, a non-zero status, nothing under the final name.
PATH=/nonexistent "$capture" --assets "$assets" --last 10 --video "$work/none.mp4" 2> "$work/err.txt"
check "missing ffmpeg fails" "[ $? -ne 0 ] && grep -q 'apt-get install ffmpeg' '$work/err.txt' && [ ! -e '$work/none.mp4' ]"
"$capture" --assets "$assets" --last 10 --video "$work/no/such/folder/x.mp4" 2> "$work/err.txt"
check "ffmpeg failing is reported" "[ $? -ne 0 ] && grep -q 'ffmpeg failed' '$work/err.txt'"
"$capture" --assets "$assets" --last 8000 --video "$work/long.mp4" 2> "$work/err.txt" &
pid=$!
sleep 2; kill -INT "$pid"
wait_for 10 "kelvor-capture to stop after Ctrl+C" process_gone "$pid" || kill -KILL "$pid"
wait "$pid"; status=$?
check "Ctrl+C stops with a non-zero status" "[ $status -ne 0 ] && grep -q interrupted '$work/err.txt'"
check "Ctrl+C leaves no file" "[ -z \"\$(ls '$work' | grep long)\" ]"

echo "$failures failed checks"
[ $failures -eq 0 ]
