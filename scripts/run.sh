#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it under Wine on
# the user's display. Without a display it runs the program on a virtual one,
# works the worked example through the driver (natural frequency 6.0, band 2
# to 12), prints the results, saves build/screenshot.png and closes the
# program. Every step that fails says so in one line and the script ends with
# a non-zero status.
#
#   scripts/run.sh [--32] [program arguments]
#
# The 32-bit program is the release; where this machine runs 32-bit programs
# only under emulation, or not at all, the 64-bit one (the same program,
# tested the same way) runs instead, unless --32 asks for the 32-bit one.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export WINEPREFIX="$root/build/wineprefix"
source scripts/wine-env.sh

fail() {
  echo "run.sh: $*" >&2
  exit 1
}

if [ -z "${VIBRO_RUN_INNER:-}" ]; then
  want32=
  [ "${1:-}" = --32 ] && { want32=1; shift; }
  bash scripts/setup.sh || fail "setting up the machine failed (see above)"
  VIBRO_32BIT=$(detect_32bit)
  export VIBRO_32BIT
  config=win32
  case $VIBRO_32BIT in
    native) ;;
    emulated)
      [ -n "$want32" ] || { config=win64; echo "run.sh: 32-bit programs run here only under emulation (slow): running the 64-bit program (--32 runs the 32-bit one)"; } ;;
    *)
      [ -z "$want32" ] || fail "this machine runs no 32-bit programs: --32 cannot be done"
      config=win64
      echo "run.sh: this machine runs no 32-bit programs: running the 64-bit program" ;;
  esac
  cmake --preset "$config" >/dev/null || fail "configuring the $config build failed"
  cmake --build --preset "$config" --target vibroiso vibroiso_driver ||
    fail "building the program failed (see above)"
  export VIBRO_RUN_BIN="$root/build/$config/bin"
fi

bin="${VIBRO_RUN_BIN:-$root/build/win32/bin}"
[ -f "$bin/vibroiso.exe" ] || fail "the program $bin/vibroiso.exe is missing"

if [ -n "${DISPLAY:-}" ] && [ -z "${VIBRO_RUN_INNER:-}" ]; then
  scripts/wine-exec.sh "$bin/vibroiso.exe" "$@" || fail "the program ended with status $?"
  exit 0
fi

if [ -z "${VIBRO_RUN_INNER:-}" ]; then
  command -v xvfb-run >/dev/null || fail "xvfb-run is missing: run scripts/setup.sh"
  xvfb-run -a -s "-screen 0 1280x1024x24" env VIBRO_RUN_INNER=1 bash "$0" "$@"
  exit $? # the inner run has said what failed
fi

# On the virtual display: drive the program, photograph it, close it.
driver="$bin/vibroiso_driver.exe"
[ -f "$driver" ] || fail "the driver $driver is missing"
# One Wine server for the whole run; one that is still running for this
# prefix (setup may leave one behind) serves as well.
wineserver -p 2>/dev/null
scripts/wine-exec.sh wineboot >/dev/null 2>&1 </dev/null || fail "Wine does not start in $WINEPREFIX"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

# The program outlives the driver that starts it: the report goes to a file,
# not a pipe the program would hold open.
program="Z:$(tr / '\\' <<<"$bin/vibroiso.exe")"
report=build/driver-report.txt
errors=build/driver-errors.txt
if ! scripts/wine-exec.sh "$driver" drive "$program" </dev/null >"$report" 2>"$errors"; then
  tr -d '\r' <"$report"
  cat "$errors"
  fail "the driver could not work the example (its report is above)"
fi
tr -d '\r' <"$report" | grep -v '^WINDOW '

read -r x y width height < <(tr -d '\r' <"$report" | sed -n 's/^WINDOW //p') ||
  fail "the driver reported no window"
import -window root -crop "${width}x${height}+${x}+${y}" +repage build/screenshot.png ||
  fail "taking the screenshot failed"
echo "Screenshot: build/screenshot.png"

if ! scripts/wine-exec.sh "$driver" close </dev/null >"$report" 2>"$errors"; then
  tr -d '\r' <"$report"
  cat "$errors"
  fail "closing the program failed (its report is above)"
fi
tr -d '\r' <"$report"
