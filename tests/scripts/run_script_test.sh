#!/usr/bin/env bash
# The run command's cheap failure paths: each ends with a non-zero status and
# one line that names what is missing. No Wine is started.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

expect_failure() { # what is missing, the line expected
  local output status
  output=$(VIBRO_RUN_INNER=1 VIBRO_RUN_BIN="$scratch" bash "$root/scripts/run.sh" 2>&1)
  status=$?
  if [ "$status" -eq 0 ] || [ "$output" != "$2" ]; then
    echo "without $1: status $status, said: $output"
    failures=$((failures + 1))
  fi
}

expect_failure "the program" "run.sh: the program $scratch/vibroiso.exe is missing"
touch "$scratch/vibroiso.exe"
expect_failure "the driver" "run.sh: the driver $scratch/vibroiso_driver.exe is missing"

[ "$failures" -eq 0 ] && echo "run.sh failure paths: all said"
exit "$failures"
