#!/usr/bin/env bash
# Runs one of the desktop's validators on what the build installs; exits 77 (skipped) when the
# validator is not installed.
#   validate.sh desktop_entries|metainfo|manual_pages|package BUILD_FOLDER SOURCE_FOLDER
set -euo pipefail
check=$1
build=$(cd "$2" && pwd)
source_folder=$(cd "$3" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
need() { command -v "$1" >/dev/null || { echo "$1 is not installed: skipped"; exit 77; }; }
stage() { DESTDIR=$work/stage cmake --install "$build" --prefix /usr >/dev/null; }

case $check in
desktop_entries)
  need desktop-file-validate
  stage
  for entry in "$work"/stage/usr/share/applications/*.desktop; do
    echo "desktop-file-validate $(basename "$entry")"
    out=$(desktop-file-validate "$entry" 2>&1) || { echo "$out"; exit 1; }
    [ -z "$out" ] || { echo "$out"; exit 1; } # hints and warnings count too
  done ;;
metainfo)
  need appstreamcli
  stage
  # --no-net: the screenshots' host is not reached from here.
  appstreamcli validate --no-net --pedantic --explain "$work"/stage/usr/share/metainfo/*.metainfo.xml
  ! appstreamcli validate --no-net --pedantic "$work"/stage/usr/share/metainfo/*.metainfo.xml |
    grep -E '^ +[EWIP]:' ;;
manual_pages)
  need man
  stage
  for page in "$work"/stage/usr/share/man/man1/*.1.gz; do
    [ -L "$page" ] && continue
    echo "man --warnings -l $(basename "$page")"
    warnings=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$warnings"; exit 1; }
    # The page renders with its sections.
    MANWIDTH=80 LC_ALL=C.UTF-8 man -l "$page" 2>/dev/null | grep -q '^EXIT STATUS' || { echo "no EXIT STATUS"; exit 1; }
  done
  # The player's keys come from its accelerator table: every key of the table is on the page.
  keys=$(MANWIDTH=80 LC_ALL=C.UTF-8 man -l "$work"/stage/usr/share/man/man1/reelp32.1.gz 2>/dev/null |
    sed -n '/^KEYS/,/^ENVIRONMENT/p')
  for key in F1 F2 F12 Space PgUp PgDn Esc Tab Ctrl+O Ctrl+V 'Alt+1 to Alt+9' Alt+0 'Ctrl+1 to Ctrl+9'; do
    grep -qF -- "$key" <<<"$keys" || { echo "the KEYS section lacks $key"; exit 1; }
  done ;;
package)
  need lintian
  need dpkg-shlibdeps
  cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
  package=$(ls "$work"/*.deb)
  dpkg-deb --field "$package" Package Version Depends Recommends
  # Loaded at run time, so dpkg-shlibdeps cannot find it: the package must name it itself.
  dpkg-deb --field "$package" Depends | grep -qE '(^|, )libavfilter[0-9]+' ||
    { echo "the package does not depend on libavfilter"; exit 1; }
  # Errors fail the check; the warnings and notes that remain are printed.
  lintian --fail-on error --tag-display-limit 0 "$package" ;;
*)
  echo "unknown check $check"; exit 2 ;;
esac
echo "$check OK"
