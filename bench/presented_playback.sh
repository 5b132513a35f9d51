#!/usr/bin/env bash
# What a user sees of playback: 20 s of a VideoCD MPEG-1 clip played with every frame put on
# the screen, at the clip's own size and scaled to 1024x768, by our MCI video device (through
# mcish, "play ... wait", which presents every frame while the caller waits) and by
# mpv --vo=x11, one after the other on the same private Xvfb, sound to a null output for both.
# For each: frames presented and dropped, CPU seconds of the program, CPU seconds the X server
# spent for it, peak memory (maximum resident set). Ratios are ours / mpv's; below 1 is better.
#   [ROUNDS=5] bench/presented_playback.sh [BUILD_DIR] [CLIP]
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
for tool in mpv Xvfb /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed (make bench installs mpv and time)"; exit 2; }
done

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
until [ -s "$work/display" ]; do sleep 0.1; done
export DISPLAY=:$(cat "$work/display") SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb
export DOSPREFIX=$work/prefix

frames=$(ffprobe -v error -select_streams v:0 -count_packets -show_entries stream=nb_read_packets -of csv=p=0 "$clip")
server_cpu() { # user+system clock ticks the X server has used so far
  awk '{ print $14 + $15 }' "/proc/$xvfb/stat"
}
ticks=$(getconf CLK_TCK)

# run NAME FUNCTION ARGS...: prints "NAME cpu_s server_cpu_s peak_kb dropped"; the function's
# last output line is the number of frames it dropped. The shell around it costs a few ms.
run() {
  local name=$1 function=$2
  shift 2
  local before after
  before=$(server_cpu)
  /usr/bin/time -f '%U %S %M' -o "$work/time" bash -c "$function \"\$@\"" _ "$@" >"$work/out" 2>/dev/null || true
  after=$(server_cpu)
  local dropped
  dropped=$(tail -n 1 "$work/out")
  awk -v n="$name" -v d="$dropped" -v sb="$before" -v sa="$after" -v t="$ticks" \
    '{ printf "%s %.3f %.3f %d %d\n", n, $1 + $2, (sa - sb) / t, $3, d }' "$work/time"
}

# Ours: the device presents every frame it plays; "frames skipped" counts those it never drew.
ours() { # WIDTH HEIGHT
  "$build/bin/mcish" --show "open \"Z:$clip\" type MPEGVideo alias m style popup wait" \
    "put m window at 0 0 $1 $2 wait" "window m state show wait" "play m wait" \
    "status m frames skipped wait" "close m wait" |
    awk -F '\t' 'NR == 5 { print $2 }'
}

# mpv: its frames dropped by the decoder and by the output, told by a script at the end.
cat >"$work/drops.lua" <<'LUA'
local decoder, output = 0, 0
mp.observe_property("decoder-frame-drop-count", "number", function(_, v) decoder = v or decoder end)
mp.observe_property("frame-drop-count", "number", function(_, v) output = v or output end)
mp.register_event("shutdown", function() io.write(string.format("%d\n", decoder + output)) end)
LUA
theirs() { # WIDTH HEIGHT
  mpv --no-config --really-quiet --ao=null --vo=x11 --geometry="$1x$2+0+0" --no-keepaspect \
    --script="$work/drops.lua" "$clip"
}

export build clip work
export -f ours theirs
size_own=$(ffprobe -v error -select_streams v:0 -show_entries stream=width,height -of csv=s=x:p=0 "$clip")
rounds=${ROUNDS:-5}
echo "clip: $frames frames, ${size_own}; each figure: the median of $rounds runs"
printf '%-22s %9s %9s %8s %8s %9s\n' "" presented dropped "CPU s" "X CPU s" "peak MB"
# Each program plays the clip ROUNDS times at each size, by turns with the other, since one run
# on a shared or virtual machine can be off by a quarter. The figures are each program's median
# run (by CPU); "dropped" is the most any of its runs dropped.
median() { # lines "NAME cpu xcpu peak dropped" -> the median line by CPU, with the largest drop
  sort -k2,2n | awk '{ line[NR] = $0; if ($5 > most) most = $5 }
    END { split(line[int((NR + 1) / 2)], f, " "); printf "%s %s %s %s %d\n", f[1], f[2], f[3], f[4], most }'
}
for size in "$size_own" 1024x768; do
  w=${size%x*}
  h=${size#*x}
  ours_runs="" mpv_runs=""
  for _ in $(seq "$rounds"); do
    ours_runs+="$(run ours ours "$w" "$h")"$'\n'
    mpv_runs+="$(run mpv theirs "$w" "$h")"$'\n'
  done
  o=$(printf '%s' "$ours_runs" | median)
  t=$(printf '%s' "$mpv_runs" | median)
  for line in "$o" "$t"; do
    read -r name cpu xcpu peak dropped <<<"$line"
    printf '%-22s %9d %9d %8.2f %8.2f %9.1f\n' "$name at $size" $((frames - dropped)) "$dropped" "$cpu" "$xcpu" \
      "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')"
  done
  read -r _ ocpu oxcpu opeak _ <<<"$o"
  read -r _ tcpu txcpu tpeak _ <<<"$t"
  awk -v s="$size" -v oc="$ocpu" -v tc="$tcpu" -v ox="$oxcpu" -v tx="$txcpu" -v om="$opeak" -v tm="$tpeak" 'BEGIN {
    printf "ratio at %s (ours/mpv): CPU %.2f, CPU with the X server %.2f, peak memory %.2f\n",
      s, oc / tc, (oc + ox) / (tc + tx), om / tm }'
  echo "  CPU s of each run: ours $(printf '%s' "$ours_runs" | awk '{ printf "%s ", $2 }')| mpv $(printf '%s' "$mpv_runs" | awk '{ printf "%s ", $2 }')"
done
