#!/usr/bin/env bash
# Builds the player's bundle: starts the bare player in build mode in the folder of the driver
# package, on a throwaway prefix whose SYSTEM.INI already names the player's device types (so it
# asks nobody to restart), waits until it has written the bundle beside its own file, and ends
# it the way a log-off does, through the end of that prefix's session.
# usage: build-bundle.sh BARE-PLAYER DRIVER-FOLDER BUNDLE PREFIX PROGRAM-FOLDER
set -euo pipefail
bare=$1 drivers=$2 bundle=$3 prefix=$4 bin=$5
rm -rf "$prefix"
rm -f "$bundle"
export DOSPREFIX="$prefix" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
for type in VCDVideo MpegMovie; do
  "$bin/iniprofile" set 'C:\WINDOWS\SYSTEM.INI' mci "$type" CDDRIVER.DRV
done
# Running and not yet ended: a child that has ended stays a zombie until it is waited for.
alive() { [ -r "/proc/$1/status" ] && ! grep -q '^State:[[:space:]]*Z' "/proc/$1/status"; }
(cd "$drivers" && exec "$bare") &
player=$!
# The bundle appears whole (renamed when complete) while the player creates its window.
for ((i = 0; i < 1200; i++)); do
  [ -e "$bundle" ] && break
  alive "$player" || break
  sleep 0.1
done
"$bin/endsession" --prefix "$prefix" || true
if alive "$player"; then
  echo "build-bundle: the bare player did not end with its session" >&2
  kill "$player" 2>/dev/null || true
fi
wait "$player" || true
rm -rf "$prefix"
if [ ! -s "$bundle" ]; then
  echo "build-bundle: the bare player wrote no bundle (are the five driver files in $drivers?)" >&2
  exit 1
fi
chmod 755 "$bundle"
