#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR (prefix /usr, as the package does) and checks what
# a user gets: the files installed (the list in installed-files.txt, nothing from the build
# folder's tests or tools), programs and libraries that find each other through their own
# relative search paths, and installed programs that work from any folder on a new account: the
# tools seed the default prefix and open an AVI through the video devices the host loads from
# its own folder, and the player plays the first of two files named on its command line.
#   check-install.sh BUILD_FOLDER SOURCE_FOLDER
set -euo pipefail
export LC_ALL=C
build=$(cd "$1" && pwd)
source_folder=$(cd "$2" && pwd)
work=$(mktemp -d)
player_pid=
cleanup() {
  [ -n "$player_pid" ] && kill "$player_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

stage=$work/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >"$work/install.log" ||
  { cat "$work/install.log"; fail "cmake --install failed"; }

# The file list: exactly the expected files and links (architecture-specific folders folded).
(cd "$stage" && find . \( -type f -o -type l \) | sed 's|^\./||; s|/lib/[a-z0-9_]*-linux-gnu[a-z0-9_]*/|/lib/|' | sort) \
  >"$work/installed.txt"
diff -u "$source_folder/dist/tests/installed-files.txt" "$work/installed.txt" || fail "the installed files differ"
[ "$(readlink "$stage/usr/bin/mcish")" = mcishell ] || fail "mcish is not a link to mcishell"
[ "$(readlink "$stage/usr/share/man/man1/mcish.1.gz")" = mcishell.1.gz ] || fail "mcish.1.gz is not a link"
for icon in "$stage"/usr/share/icons/hicolor/*/apps/*.png; do
  size=$(basename "$(dirname "$(dirname "$icon")")")
  file -b "$icon" | grep -q "^PNG image data, ${size/x/ x }," || fail "$icon is not a $size PNG"
done

# Search paths: relative to the file, never into the build folder.
libraries=$(realpath "$(dirname "$(find "$stage/usr/lib" -name libhost.so)")")
for file in "$stage"/usr/bin/* "$libraries"/*.so "$libraries"/drivers/*; do
  [ -L "$file" ] && continue
  file -b "$file" | grep -q '^ELF' || continue
  paths=$(readelf -d "$file" | sed -n 's/.*R\(UN\)\?PATH.*\[\(.*\)\]/\2/p')
  case "$file" in
    "$stage"/usr/bin/*) [[ "$paths" == '$ORIGIN/../lib/'*varnreel ]] || fail "$file searches [$paths]" ;;
    */drivers/*) [ -z "$paths" ] || fail "$file searches [$paths]" ;;
    *) [ "$paths" = '$ORIGIN' ] || fail "$file searches [$paths]" ;;
  esac
  # Debug information may name the sources' folders; the code and its data may not.
  strip --strip-debug -o "$work/stripped" "$file"
  ! strings "$work/stripped" | grep -qF "$build" || fail "$file names the build folder"
done

# A new account: an empty home, no prefix chosen, started from the root folder.
export HOME=$work/home XDG_DATA_HOME= DOSPREFIX= MCITRACE= QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
unset XDG_DATA_HOME DOSPREFIX MCITRACE LD_LIBRARY_PATH
mkdir -p "$HOME" "$work/movies"
cd /
bin=$stage/usr/bin
system_ini=$("$bin/iniprofile" get 'C:\WINDOWS\SYSTEM.INI' mci avivideo missing)
[ "$system_ini" = mciavi.drv ] || fail "iniprofile read [$system_ini] from the seeded prefix"
[ -f "$HOME/.local/share/dosprefix/drive_c/MSDOS.SYS" ] || fail "the default prefix was not seeded"

for name in first second; do
  ffmpeg -v error -f lavfi -i "testsrc2=size=160x120:rate=10:duration=3" -f lavfi \
    -i "sine=frequency=440:duration=3" -c:v mpeg4 -c:a pcm_s16le "$work/movies/$name clip.avi"
done
# The open goes through the system's avivideo device, in libmcivideo.so beside libhost.so.
LD_DEBUG=files "$bin/mcish" "sysinfo all quantity wait" \
  "open \"$work/movies/first clip.avi\" type avivideo alias m wait" "status m length wait" \
  "close m wait" >"$work/mcish.out" 2>"$work/mcish.debug" || fail "mcish failed"
cat "$work/mcish.out"
[ "$(cut -f1 "$work/mcish.out" | sort -u)" = 0 ] || fail "an MCI command failed"
loaded=$(sed -n 's|.*file=\(/[^ ]*/libmcivideo\.so\) .*dynamically loaded.*|\1|p' "$work/mcish.debug" | head -1)
[ -n "$loaded" ] && [ "$(realpath "$loaded")" = "$libraries/libmcivideo.so" ] ||
  fail "libmcivideo.so was not loaded from $libraries but from [$loaded]"
! grep -qF "$build" "$work/mcish.debug" || fail "something was loaded from the build folder"

# The player with two files on its command line plays the first, through its own modules. Its
# device types are registered first, as a setup program does, so the first start installs the
# driver files without the restart box.
for type in VCDVideo MpegMovie; do
  "$bin/iniprofile" set 'C:\WINDOWS\SYSTEM.INI' mci "$type" CDDRIVER.DRV || fail "cannot register $type"
done
MCITRACE=$work/player.trace "$bin/reelp32" "$work/movies/first clip.avi" "$work/movies/second clip.avi" \
  >"$work/player.log" 2>&1 &
player_pid=$!
for _ in $(seq 600); do
  grep -q $'^play xyzmpeg repeat\t0' "$work/player.trace" 2>/dev/null && break
  kill -0 "$player_pid" 2>/dev/null || break
  sleep 0.1
done
cat "$work/player.trace" 2>/dev/null || true
grep -q "^open Z:.*[\\]FIRS~[A-Z0-5]*[.]AVI type avivideo alias xyzmpeg .*$(printf '\t')0" "$work/player.trace" ||
  fail "the player did not open the first file"
grep -q $'^play xyzmpeg repeat\t0' "$work/player.trace" || fail "the player did not play the first file"
echo "installed tree OK"
