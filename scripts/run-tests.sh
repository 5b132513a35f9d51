#!/usr/bin/env bash
# Runs every test of a build folder. Tests that fail are run once more, one at a time: a test
# that passes alone is reported as flaky (its first failure stays in the output above) and does
# not fail the run; a test that fails again fails it.
set -uo pipefail
build=${1:-build}
jobs=${2:-2}
cd "$build" || exit 1
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
ctest --output-on-failure -j"$jobs" && exit 0
failed=$(sed -n 's/^[0-9]*:\(.*\)$/\1/p' Testing/Temporary/LastTestsFailed.log 2>/dev/null)
echo "Running the failed tests again, one at a time:"
echo "$failed" | sed 's/^/  /'
if ctest --rerun-failed --output-on-failure -j1; then
  echo "FLAKY: these tests failed in the full run and passed alone:"
  echo "$failed" | sed 's/^/  /'
  exit 0
fi
exit 1
