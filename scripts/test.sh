#!/usr/bin/env bash
# Installs what is missing, builds the native and both Windows configurations
# and runs every test; the Windows tests run under Wine on a virtual display
# when there is no real one. Ends with one line "N passed, N failed".
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if [ -z "${VIBRO_TEST_INNER:-}" ]; then
  bash scripts/setup.sh || { echo "setup failed"; exit 1; }
  if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" env VIBRO_TEST_INNER=1 bash "$0" "$@"
  fi
fi

export WINEPREFIX="$root/build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# One Wine server for the whole run instead of one per test executable.
# Its background services are started here, with their output going nowhere:
# started by a test they would hold CTest's output pipe open.
wineserver -p
wine wineboot >/dev/null 2>&1 </dev/null
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

configs=(native win32 win64)
passed=0
failed=0
status=0

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
  if ! cmake --preset "$config" >"build-$config.log" 2>&1 ||
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
  echo "== $config: test"
  log="$build/ctest.log"
  GTEST_OUTPUT="xml:$gtest_dir" ctest --preset "$config" 2>&1 | tee "$log"
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

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] || status=1
exit $status
