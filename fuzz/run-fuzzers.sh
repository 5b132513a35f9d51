#!/usr/bin/env bash
# Runs fuzz targets of a FUZZ=ON build folder for SECONDS each (default 60): every target under
# corpus/ of this folder, or those named. Each run starts from the kept corpus and a working
# copy in BUILD/fuzz-corpus/NAME, where new inputs stay; a crash or a failed check leaves its
# input in BUILD/fuzz-artifacts/NAME/ and fails the run. Prints each target's executions.
#
#   fuzz/run-fuzzers.sh BUILD [SECONDS [NAME...]]
set -uo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-60}
shift $(( $# >= 2 ? 2 : 1 ))
here=$(cd "$(dirname "$0")" && pwd)
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for folder in "$here"/corpus/*/; do names+=("$(basename "$folder")"); done
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1:suppressions=$here/../cmake/sanitizers/asan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/../cmake/sanitizers/lsan.supp:print_suppressions=0}

passed=0
failed=()
mkdir -p "$build/fuzz-logs"
for name in "${names[@]}"; do
  program=$build/fuzz/fuzz_$name
  work=$build/fuzz-corpus/$name
  artifacts=$build/fuzz-artifacts/$name
  log=$build/fuzz-logs/$name.log
  mkdir -p "$work" "$artifacts"
  "$program" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$work" "$here/corpus/$name" >"$log" 2>&1
  status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  corpus=$(find "$work" -type f | wc -l)
  if [ $status -eq 0 ]; then
    passed=$((passed + 1))
    echo "fuzz_$name: ${executions:-?} executions in ${seconds} s, working corpus $corpus inputs, no finding"
  else
    failed+=("$name")
    echo "fuzz_$name: FAILED (exit $status) after ${executions:-?} executions; log $log"
    grep -E 'ERROR|SUMMARY|check failed|Test unit written' "$log" | head -20
  fi
done
echo "fuzz: $passed passed, ${#failed[@]} failed"
[ ${#failed[@]} -eq 0 ]
