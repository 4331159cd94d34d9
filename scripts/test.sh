#!/usr/bin/env bash
# Installs what is missing, builds the native and both Windows configurations
# and runs every test; the Windows tests run under Wine on a virtual display
# when there is no real one. The 64-bit tests always run at full speed; the
# 32-bit ones run natively, under emulation (with time limits that allow for
# it) or, where this machine runs no 32-bit programs, are built and not run.
# Ends with one line "N passed, N failed, N skipped".
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export WINEPREFIX="$root/build/wineprefix"
source scripts/wine-env.sh

if [ -z "${VIBRO_TEST_INNER:-}" ]; then
  bash scripts/setup.sh || { echo "test.sh: setting up the machine failed (see above)"; exit 1; }
  if [ -z "${DISPLAY:-}" ]; then
    command -v xvfb-run >/dev/null || { echo "test.sh: xvfb-run is missing"; exit 1; }
    # A screen with room for the form at 192 dpi.
    exec xvfb-run -a -s "-screen 0 2560x1600x24" env VIBRO_TEST_INNER=1 bash "$0" "$@"
  fi
fi

VIBRO_32BIT=$(detect_32bit)
export VIBRO_32BIT
echo "== 32-bit programs here: $VIBRO_32BIT"

# One Wine server for the whole run instead of one per test executable.
# Its background services are started here, with their output going nowhere:
# started by a test they would hold CTest's output pipe open.
wineserver -p
scripts/wine-exec.sh wineboot >/dev/null 2>&1 </dev/null ||
  { echo "test.sh: Wine does not start in $WINEPREFIX"; exit 1; }
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

configs=(native win32 win64)
passed=0
failed=0
skipped=0
status=0

# Seconds a test executable may take: emulated 32-bit programs start and run
# many times slower.
timeout_for() { # configuration
  if [ "$1" = win32 ] && [ "$VIBRO_32BIT" = emulated ]; then echo 1500; else echo 180; fi
}

count_results() { # results folder, ctest log
  local dir=$1 log=$2 xml name
  for xml in "$dir"/*.xml; do
    [ -f "$xml" ] || continue
    local header
    header=$(grep -m1 '<testsuites' "$xml")
    local tests failures errors
    tests=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$header")
    failures=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$header")
    errors=$(sed -n 's/.* errors="\([0-9]*\)".*/\1/p' <<<"$header")
    passed=$((passed + tests - failures - errors))
    failed=$((failed + failures + errors))
  done
  # An executable without results: a failure if it crashed or timed out, a
  # pass if it is a plain check that writes none.
  while read -r name; do
    [ -f "$dir/$name.xml" ] || failed=$((failed + 1))
  done < <(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' "$log")
  while read -r name; do
    [ -f "$dir/$name.xml" ] || passed=$((passed + 1))
  done < <(sed -n 's/.*Test *#[0-9]*: \([^ ]*\) \.*  *Passed.*/\1/p' "$log")
}

for config in "${configs[@]}"; do
  build="build/$config"
  echo "== $config: configure and build"
  if ! cmake --preset "$config" -DVIBRO_TEST_TIMEOUT="$(timeout_for "$config")" \
       >"build-$config.log" 2>&1 ||
     ! cmake --build --preset "$config" >>"build-$config.log" 2>&1; then
    tail -n 60 "build-$config.log"
    echo "== $config: build failed"
    failed=$((failed + 1))
    status=1
    continue
  fi
  rm -f "build-$config.log"

  results="$root/$build/test-results"
  rm -rf "$results"
  mkdir -p "$results"
  if [ "$config" = native ]; then
    gtest_dir="$results/"
  else
    gtest_dir="Z:$(tr / '\\' <<<"$results")\\"
  fi
  # Without 32-bit programs only the host-side checks of the 32-bit build run.
  only_host=()
  if [ "$config" = win32 ] && [ "$VIBRO_32BIT" = none ]; then
    only_host=(-LE wine)
    count=$(ctest --preset "$config" -N -L wine | sed -n 's/^Total Tests: //p')
    skipped=$((skipped + count))
    echo "== $config: $count test programs built, not run: this machine runs no 32-bit programs"
  fi
  echo "== $config: test"
  log="$build/ctest.log"
  GTEST_OUTPUT="xml:$gtest_dir" ctest --preset "$config" "${only_host[@]}" 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  count_results "$results" "$log"
done

# The fuzz targets (clang, libFuzzer) over their seed corpus, for a bounded
# number of runs; new inputs go to a scratch folder, a crash counts as a failure.
fuzz_runs=1000000
fuzz_seconds=25
echo "== fuzz: configure and build"
if cmake --preset fuzz >build-fuzz.log 2>&1 && cmake --build --preset fuzz >>build-fuzz.log 2>&1; then
  rm -f build-fuzz.log
  scratch=$(mktemp -d)
  echo "== fuzz: expr_fuzz, $fuzz_runs runs at most"
  if build/fuzz/bin/expr_fuzz -runs=$fuzz_runs -max_total_time=$fuzz_seconds \
       -artifact_prefix="$root/build/fuzz/" "$scratch" tests/expr/fuzz_corpus \
       >build/fuzz/expr_fuzz.log 2>&1; then
    tail -n 2 build/fuzz/expr_fuzz.log
    passed=$((passed + 1))
  else
    tail -n 40 build/fuzz/expr_fuzz.log
    echo "== fuzz: expr_fuzz found a fault (input saved in build/fuzz/)"
    failed=$((failed + 1))
    status=1
  fi
  rm -rf "$scratch"
else
  tail -n 60 build-fuzz.log
  echo "== fuzz: build failed"
  failed=$((failed + 1))
  status=1
fi

[ "$skipped" -eq 0 ] ||
  echo "$skipped skipped: the 32-bit test programs, as this machine runs no 32-bit programs"
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ] || status=1
exit $status
