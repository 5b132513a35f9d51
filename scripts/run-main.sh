#!/usr/bin/env bash
# Starts the boot configuration tuner on the default prefix (or the one DOSPREFIX names). The
# prefix is created and seeded on first use. The tuner is started in the prefix's Windows folder,
# so that its folder lists open there rather than in the folder `make` ran in.
set -euo pipefail
source "$(dirname "$0")/prefix.sh"
if [ -d "$prefix/drive_c/WINDOWS" ]; then
  cd "$prefix/drive_c/WINDOWS"
fi
exec "$bin/VarnDosFettle"
