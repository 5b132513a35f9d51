#!/usr/bin/env bash
# CPU seconds per second of real-time playback: our MCI video device (through mcish, with its
# window shown) against mpv, on the same clip, under the same Xvfb display, sound to a null
# output for both. Prints both figures and their ratio (ours / mpv; below 1 is better).
#   bench/playback_cpu.sh [BUILD_DIR] [CLIP]
set -euo pipefail
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true' EXIT
clip=${2:-}
if [ -z "$clip" ]; then
  clip=$work/clip.mpg
  ffmpeg -v error -f lavfi -i testsrc2=size=352x288:rate=25:duration=20 \
    -f lavfi -i sine=frequency=440:duration=20 -target pal-vcd "$clip"
fi
command -v mpv >/dev/null || { echo "mpv is not installed (apt-get install mpv)"; exit 2; }

display=:97
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=$display SDL_AUDIODRIVER=dummy

seconds=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$clip")
cpu_of() { # the user+system CPU seconds of a command
  /usr/bin/env time -f '%U %S' -o "$work/time" "$@" >/dev/null 2>&1 || true
  awk '{ print $1 + $2 }' "$work/time"
}
export DOSPREFIX=$work/prefix
ours=$(cpu_of "$build/bin/mcish" --show "open \"Z:$clip\" type MPEGVideo alias m wait" "play m wait" "close m")
theirs=$(cpu_of mpv --really-quiet --ao=null --vo=x11 "$clip")
awk -v o="$ours" -v t="$theirs" -v s="$seconds" 'BEGIN {
  printf "clip %.1f s\nours: %.3f CPU s per s\nmpv:  %.3f CPU s per s\nratio (ours/mpv): %.2f\n", s, o / s, t / s, (t > 0 ? o / t : 0)
}'
