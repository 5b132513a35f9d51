#!/usr/bin/env bash
# Starts the boot configuration tuner on the default prefix (or the one DOSPREFIX names). The
# prefix is created and seeded on first use. The tuner is started in the prefix's Windows folder,
# so that its folder lists open there rather than in the folder `make` ran in.
set -euo pipefail
build=${1:-build}
bin="$(cd "$build/bin" && pwd)"
data_home=${XDG_DATA_HOME:-${HOME:+$HOME/.local/share}}
prefix=${DOSPREFIX:-${data_home:-${TMPDIR:-/tmp}}/dosprefix}
if [ ! -d "$prefix/drive_c" ] && [ -x "$bin/iniprofile" ]; then
  # Any call through the host layer seeds a missing prefix.
  "$bin/iniprofile" attrib 'C:\MSDOS.SYS' >/dev/null 2>&1 || true
fi
echo "Prefix: $prefix"
if [ -d "$prefix/drive_c/WINDOWS" ]; then
  cd "$prefix/drive_c/WINDOWS"
fi
exec "$bin/VarnDosFettle"
