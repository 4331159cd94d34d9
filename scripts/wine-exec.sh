#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's own prefix and quiet
# settings; CTest uses it as the cross-compiling emulator.
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
