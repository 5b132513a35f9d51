#!/usr/bin/env bash
# Starts the movie player on the default prefix (or the one DOSPREFIX names). The prefix is
# created and seeded on first use; its C:\MOVIES folder gets two short sample movies, made with
# Debian's ffmpeg, so there is something to open (Ctrl+O) on a new machine. The player starts in
# that folder.
set -euo pipefail
source "$(dirname "$0")/prefix.sh"
movies="$prefix/drive_c/MOVIES"
make_sample() { # NAME FFMPEG-OUTPUT-OPTIONS...: a 15-second test picture with a tone
  local file="$movies/$1"; shift
  [ -e "$file" ] && return 0
  ffmpeg -v error -f lavfi -i testsrc2=size=352x288:rate=25:duration=15 \
    -f lavfi -i sine=frequency=440:duration=15 "$@" "$file.part" && mv "$file.part" "$file" \
    || rm -f "$file.part"
}
if [ -d "$movies" ] && command -v ffmpeg >/dev/null; then
  # A VideoCD-style MPEG-1 system stream (played through the MPEG driver package), and an AVI
  # (played through the system's avivideo device).
  make_sample SAMPLE.MPG -target pal-vcd
  make_sample SAMPLE.AVI -c:v mpeg4 -q:v 5 -c:a pcm_s16le -f avi
fi
# The player's MPEG device types are registered in SYSTEM.INI as a Windows setup program does
# when it installs a program, so the first start needs no restart; the player itself installs its
# driver files into the Windows system folder from its own file at every start.
for type in VCDVideo MpegMovie; do
  [ -n "$("$bin/iniprofile" get 'C:\WINDOWS\SYSTEM.INI' mci "$type" '')" ] ||
    "$bin/iniprofile" set 'C:\WINDOWS\SYSTEM.INI' mci "$type" CDDRIVER.DRV
done
[ -d "$movies" ] && cd "$movies"
exec "$bin/reelp32" "${@:2}"
