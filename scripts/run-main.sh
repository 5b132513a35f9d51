#!/usr/bin/env bash
# Runs the main job on the default prefix (or the one DOSPREFIX names): shows the boot settings
# the tuner works on, read through the host layer. The prefix is created and seeded on first use.
set -euo pipefail
build=${1:-build}
bin="$build/bin"
prefix=${DOSPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/dosprefix}
get() { "$bin/iniprofile" get "$@"; }
echo "Prefix: $prefix"
echo "MSDOS.SYS attributes: $("$bin/iniprofile" attrib 'C:\MSDOS.SYS')"
for key in WinDir WinBootDir HostWinBootDrv; do
  printf '[Paths] %-15s %s\n' "$key" "$(get 'c:\msdos.sys' Paths "$key" '')"
done
for key in BootMulti BootGUI Network BootDelay Autoscan BootKeys; do
  printf '[Options] %-13s %s\n' "$key" "$(get 'c:\msdos.sys' Options "$key" '')"
done
for key in MinFileCache MaxFileCache; do
  printf '[VCache] %-14s %s\n' "$key" "$(get system.ini VCache "$key" '(default)')"
done
