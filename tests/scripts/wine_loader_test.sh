#!/usr/bin/env bash
# How the scripts find out whether this machine runs 32-bit programs, and
# which Wine loader starts a program. Stand-in loaders and a stand-in
# binfmt_misc folder take the place of the real ones; no Wine is started.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

check() { # what, expected, actual
  if [ "$2" != "$3" ]; then
    echo "$1: expected '$2', got '$3'"
    failures=$((failures + 1))
  fi
}

# A loader that fails as an i386 program does on a kernel without IA-32
# emulation, one that starts, and one that names itself and its arguments.
printf '#!/bin/sh\necho "$0: cannot execute binary file: Exec format error" >&2\nexit 126\n' \
  >"$scratch/refused"
printf '#!/bin/sh\nexit 0\n' >"$scratch/starts"
printf '#!/bin/sh\necho "32 $*"\n' >"$scratch/loader32"
printf '#!/bin/sh\necho "64 $*"\n' >"$scratch/loader64"
chmod +x "$scratch"/refused "$scratch"/starts "$scratch"/loader32 "$scratch"/loader64

# A binfmt_misc folder with one entry; the i386 magic is qemu's own.
i386_magic=7f454c4601010100000000000000000002000300
binfmt() { # global state, entry state, entry magic
  rm -rf "$scratch/binfmt"
  mkdir -p "$scratch/binfmt"
  echo "$1" >"$scratch/binfmt/status"
  printf '%s\n' "$2" 'interpreter /usr/bin/qemu-i386-static' 'flags: F' 'offset 0' \
    "magic $3" >"$scratch/binfmt/qemu-i386"
  echo "$scratch/binfmt"
}

detected() { # 32-bit loader, binfmt folder, [override]
  (
    unset VIBRO_32BIT
    [ -n "${3:-}" ] && export VIBRO_32BIT=$3
    VIBRO_WINE32_LOADER=$1 VIBRO_BINFMT_DIR=$2 source "$root/scripts/wine-env.sh"
    detect_32bit
  )
}

arm_magic=7f454c4601010100000000000000000002002800
while read -r loader status entry magic override expected; do
  check "detection with $loader, binfmt $status/$entry/$magic, override $override" "$expected" \
    "$(detected "$scratch/$loader" "$(binfmt "$status" "$entry" "${!magic}")" "${override#-}")"
done <<EOF
refused  enabled  enabled  i386_magic -    none
starts   enabled  enabled  i386_magic -    emulated
starts   enabled  disabled i386_magic -    native
starts   disabled enabled  i386_magic -    native
starts   enabled  enabled  arm_magic  -    native
starts   enabled  enabled  i386_magic none none
EOF

# Minimal PE files: the header offset at 0x3c, "PE\0\0", the machine field.
pe() { # file, machine as two little-endian bytes
  {
    printf 'MZ'
    head -c 58 /dev/zero
    printf '\100\000\000\000PE\000\000'"$2"
  } >"$1"
}
pe "$scratch/i386.exe" '\114\001'
pe "$scratch/amd64.exe" '\144\206'
printf 'MZ' >"$scratch/short.exe"

started() { # 32-bit mode, program, arguments
  VIBRO_32BIT=$1 VIBRO_WINE32_LOADER="$scratch/loader32" VIBRO_WINE64_LOADER="$scratch/loader64" \
    bash "$root/scripts/wine-exec.sh" "${@:2}" 2>&1
}
check "a 32-bit program" "32 $scratch/i386.exe a b" "$(started native "$scratch/i386.exe" a b)"
check "a 64-bit program" "64 $scratch/amd64.exe" "$(started native "$scratch/amd64.exe")"
check "Wine's own program" "64 wineboot -i" "$(started native wineboot -i)"
check "a file too short for a PE header" "64 $scratch/short.exe" "$(started native "$scratch/short.exe")"
check "a 32-bit program where none run" \
  "wine-exec.sh: $scratch/i386.exe is a 32-bit program, and this machine runs none" \
  "$(started none "$scratch/i386.exe")"
started none "$scratch/i386.exe" >/dev/null && check "the status where none run" "non-zero" 0

[ "$failures" -eq 0 ] && echo "detection and loader choice: all as expected"
exit "$failures"
