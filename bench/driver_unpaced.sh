#!/usr/bin/env bash
# Unpaced play through the MPEG driver package against ffmpeg's decoding of the same clip.
# The package is installed into a temporary prefix as the player installs it; mcish sends
#   ratecontrol m off / set m time format frames / play m from 0 to 600 wait
# to an MPEGMovie device, and the time of that play (the run with the play less the same run
# without it) gives frames per second. ffmpeg decodes the first 601 video frames with one thread.
# Prints both rates and their ratio (ours / ffmpeg; 1 means as fast as ffmpeg decodes).
#   bench/driver_unpaced.sh [BUILD_DIR] [CLIP]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
clip=${2:-}
if [ -z "$clip" ]; then
  clip=$work/clip.mpg
  ffmpeg -v error -f lavfi -i testsrc2=size=352x288:rate=25:duration=40 \
    -f lavfi -i sine=frequency=440:duration=40 -target pal-vcd "$clip"
fi
export DOSPREFIX=$work/prefix QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
mcish=$build/bin/mcish
"$mcish" "sysinfo all quantity wait" >/dev/null # seeds the prefix
system=$(find "$DOSPREFIX/drive_c" -maxdepth 2 -iname system -type d | head -1)
cp "$build"/bin/drivers/* "$system"/
"$build/bin/iniprofile" set 'C:\WINDOWS\SYSTEM.INI' mci VCDVideo CDDRIVER.DRV
"$build/bin/iniprofile" set 'C:\WINDOWS\SYSTEM.INI' mci MpegMovie CDDRIVER.DRV
cp "$clip" "$DOSPREFIX/drive_c/CLIP.MPG"

now() { date +%s.%N; }
open='open C:\CLIP.MPG type MPEGMovie alias m wait'
runs=3
best_ours=1e9
for _ in $(seq $runs); do
  start=$(now)
  "$mcish" "$open" "ratecontrol m off wait" "set m time format frames wait" "close m" >/dev/null
  middle=$(now)
  out=$("$mcish" "$open" "ratecontrol m off wait" "set m time format frames wait" \
    "play m from 0 to 600 wait" "status m position wait" "close m")
  end=$(now)
  position=$(echo "$out" | sed -n 5p | cut -f2)
  [ "$position" = 600 ] || { echo "play stopped at frame '$position':"; echo "$out"; exit 1; }
  best_ours=$(awk -v a="$start" -v b="$middle" -v c="$end" -v best="$best_ours" \
    'BEGIN { t = (c - b) - (b - a); print (t < best ? t : best) }')
done
best_ffmpeg=1e9
for _ in $(seq $runs); do
  start=$(now)
  ffmpeg -v error -threads 1 -i "$clip" -frames:v 601 -an -f null -
  end=$(now)
  best_ffmpeg=$(awk -v a="$start" -v b="$end" -v best="$best_ffmpeg" 'BEGIN { t = b - a; print (t < best ? t : best) }')
done
awk -v o="$best_ours" -v f="$best_ffmpeg" 'BEGIN {
  printf "play from 0 to 600, rate control off: %.3f s, %.0f frames/s\n", o, 601 / o
  printf "ffmpeg decoding 601 frames:           %.3f s, %.0f frames/s\n", f, 601 / f
  printf "ratio (ours / ffmpeg, frames per second): %.2f\n", (601 / o) / (601 / f)
}'
