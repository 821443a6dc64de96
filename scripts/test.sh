#!/usr/bin/env bash
# The test command: sets up the machine, then configures, builds and tests the three test
# presets (linux, asan, windows) with `cmake --workflow`, going on after a failure so that
# every result is counted. Ends with one line: "N passed, N failed", summed over the presets
# (followed by ", N skipped" when tests were skipped); exits non-zero when anything failed.
#
# A preset that does not reach its tests (configure or build failed) counts as one failure.
# Logs: build/logs/<preset>.log.
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

presets=(linux asan windows)
if [ $# -gt 0 ]; then
  presets=("$@")
fi

if ! bash scripts/setup.sh; then
  echo "0 passed, 1 failed"
  exit 1
fi

# Whatever happens, no Wine session of this run is left behind.
cleanup() {
  if [ -d build/windows/wine ]; then
    bash scripts/wine-session.sh stop build/windows >/dev/null 2>&1
  fi
}
trap cleanup EXIT

mkdir -p build/logs
total_passed=0
total_failed=0
total_skipped=0
declare -a report=()
for preset in "${presets[@]}"; do
  log=build/logs/$preset.log
  echo "=== $preset: cmake --workflow --preset $preset"
  start=$SECONDS
  cmake --workflow --preset "$preset" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  seconds=$((SECONDS - start))

  # ctest's summary: "100% tests passed, 0 tests failed out of 25"
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$summary" ]; then
    failed=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$summary")
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
    # Skipped tests (a test that cannot apply here, such as a permission test run as root)
    # are counted apart, not as passed.
    skipped=$(grep -cE '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .*\*\*\*Skipped' "$log")
    passed=$((total - failed - skipped))
    if [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then
      failed=1 # ctest itself failed (a fixture, a crash of the runner)
    fi
  elif grep -q 'No tests were found' "$log" && [ "$status" -eq 0 ]; then
    passed=0
    failed=0
    skipped=0
  else
    passed=0
    failed=1
    skipped=0
    echo "=== $preset: did not reach its tests (exit code $status); see $log"
  fi
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
  total_skipped=$((total_skipped + skipped))
  report+=("$preset: $passed passed, $failed failed, $skipped skipped (${seconds}s)")
done

echo "=== summary"
for line in "${report[@]}"; do
  echo "  $line"
done
if [ "$total_skipped" -gt 0 ]; then
  echo "$total_passed passed, $total_failed failed, $total_skipped skipped"
else
  echo "$total_passed passed, $total_failed failed"
fi
[ "$total_failed" -eq 0 ]
