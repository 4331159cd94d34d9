#!/usr/bin/env bash
# Installs what is missing, builds the 32-bit program and starts it under
# Wine on the user's display. Without a display it runs the program on a
# virtual one, works the worked example through the driver (natural frequency
# 6.0, band 2 to 12), prints the results, saves build/screenshot.png and
# closes the program.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if [ -z "${VIBRO_RUN_INNER:-}" ]; then
  bash scripts/setup.sh
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 --target vibroiso vibroiso_driver
fi

export WINEPREFIX="$root/build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
bin="$root/build/win32/bin"

if [ -n "${DISPLAY:-}" ] && [ -z "${VIBRO_RUN_INNER:-}" ]; then
  exec wine "$bin/vibroiso.exe" "$@"
fi

if [ -z "${VIBRO_RUN_INNER:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" env VIBRO_RUN_INNER=1 bash "$0" "$@"
fi

# On the virtual display: drive the program, photograph it, close it.
wineserver -p
wine wineboot >/dev/null 2>&1 </dev/null
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

# The program outlives the driver that starts it: the report goes to a file,
# not a pipe the program would hold open.
program="Z:$(tr / '\\' <<<"$bin/vibroiso.exe")"
report=build/driver-report.txt
wine "$bin/vibroiso_driver.exe" drive "$program" </dev/null >"$report" 2>/dev/null
tr -d '\r' <"$report" | grep -v '^WINDOW '

read -r x y width height < <(tr -d '\r' <"$report" | sed -n 's/^WINDOW //p')
import -window root -crop "${width}x${height}+${x}+${y}" +repage build/screenshot.png
echo "Screenshot: build/screenshot.png"

wine "$bin/vibroiso_driver.exe" close </dev/null >"$report" 2>/dev/null
tr -d '\r' <"$report"
