#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's own prefix and quiet
# settings, through the loader of the program's own bitness; CTest uses it as
# the cross-compiling emulator. Wine's own programs (wineboot, regedit, reg)
# are named without a path and run 64-bit.
source "$(dirname "$0")/wine-env.sh"

[ $# -gt 0 ] || { echo "wine-exec.sh: no program named" >&2; exit 2; }
loader=$(loader_for "$1")
if [ "$loader" = "$wine32_loader" ] && [ "${VIBRO_32BIT:-}" = none ]; then
  echo "wine-exec.sh: $1 is a 32-bit program, and this machine runs none" >&2
  exit 1
fi
[ -x "$loader" ] || { echo "wine-exec.sh: the Wine loader $loader is missing" >&2; exit 1; }
exec "$loader" "$@"
