# Sourced by the run scripts: sets `bin` (the build's program folder, from $1 or build/) and
# `prefix` (DOSPREFIX, or the per-user default), and seeds a missing prefix through the host layer.
build=${1:-build}
bin="$(cd "$build/bin" && pwd)"
data_home=${XDG_DATA_HOME:-${HOME:+$HOME/.local/share}}
prefix=${DOSPREFIX:-${data_home:-${TMPDIR:-/tmp}}/dosprefix}
if [ ! -d "$prefix/drive_c" ] && [ -x "$bin/iniprofile" ]; then
  # Any call through the host layer seeds a missing prefix.
  "$bin/iniprofile" attrib 'C:\MSDOS.SYS' >/dev/null 2>&1 || true
fi
echo "Prefix: $prefix"
