# Sourced by the scripts: the project's Wine prefix and quiet settings, how
# this machine runs 32-bit programs, and which Wine loader starts a program.
# Debian's `wine` starts every program, 64-bit ones too, through the 32-bit
# loader, which a kernel without IA-32 emulation cannot run; so the loader is
# picked here from the program's own machine field.

vibro_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$vibro_root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

wine32_loader=${VIBRO_WINE32_LOADER:-/usr/lib/wine/wine}
wine64_loader=${VIBRO_WINE64_LOADER:-/usr/lib/wine/wine64}
binfmt_dir=${VIBRO_BINFMT_DIR:-/proc/sys/fs/binfmt_misc}

# True when binfmt_misc hands i386 ELF programs to an interpreter (qemu-user):
# an enabled entry whose magic names ELF, 32-bit, machine 3.
i386_handler_registered() {
  local entry
  grep -qx enabled "$binfmt_dir/status" 2>/dev/null || return 1
  for entry in "$binfmt_dir"/*; do
    case ${entry##*/} in register | status) continue ;; esac
    [ -f "$entry" ] || continue
    grep -qx enabled "$entry" &&
      grep -q '^magic 7f454c4601[0-9a-f]\{26\}0300' "$entry" && return 0
  done
  return 1
}

# How this machine runs 32-bit programs: native, emulated or none. The
# 32-bit loader itself is started, as nothing else answers for sure.
# VIBRO_32BIT, when set, is taken instead (to walk the other paths).
detect_32bit() {
  if [ -n "${VIBRO_32BIT:-}" ]; then
    echo "$VIBRO_32BIT"
  elif ! "$wine32_loader" --version >/dev/null 2>&1; then
    echo none
  elif i386_handler_registered; then
    echo emulated
  else
    echo native
  fi
}

# The machine field of a PE executable: i386, amd64, or nothing for a file
# that is not one (Wine's own programs are named without a path).
pe_machine() {
  local offset machine
  [ -f "$1" ] || return 0
  offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$offset" ] || return 0
  [ "$(od -An -c -j"$offset" -N2 "$1" 2>/dev/null | tr -d ' ')" = PE ] || return 0
  machine=$(od -An -tx2 -j$((offset + 4)) -N2 "$1" | tr -d ' ')
  case $machine in
    014c) echo i386 ;;
    8664) echo amd64 ;;
  esac
}

# The loader for a program: the 32-bit one only for an i386 executable.
loader_for() {
  if [ "$(pe_machine "$1")" = i386 ]; then
    echo "$wine32_loader"
  else
    echo "$wine64_loader"
  fi
}
