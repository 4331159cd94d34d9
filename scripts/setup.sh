#!/usr/bin/env bash
# Installs the cross toolchains, Wine and the test tools, finds out how this
# machine runs 32-bit programs (and, as root, has them emulated where the
# kernel runs none), and makes the Wine prefix. Safe to run again: it only
# does what is still missing. A step that fails says which, in one line, and
# ends the script with a non-zero status.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="$root/build/wineprefix"
source "$root/scripts/wine-env.sh"

fail() {
  echo "setup: $* failed" >&2
  exit 1
}

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

packages=(
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 wine32:i386 xvfb xauth cmake ninja-build googletest libbenchmark-dev
  clang libclang-rt-14-dev imagemagick g++ x11-utils fonts-wine
)

# Installs what of the packages is missing; says which step failed.
install_packages() { # packages
  local p missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "setup: installing ${missing[*]}"
  if [ ${#as_root[@]} -gt 0 ] && ! command -v sudo >/dev/null; then
    echo "setup: installing needs root, and there is no sudo" >&2
    return 1
  fi
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386 ||
      { echo "setup: adding the i386 architecture failed" >&2; return 1; }
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -qq ||
    { echo "setup: updating the package lists failed" >&2; return 1; }
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
    { echo "setup: installing ${missing[*]} failed" >&2; return 1; }
}

# Debian 12's own qemu (7.2) takes about a minute to start each 32-bit Wine
# program: Wine's reservation of its address space turns into some 48,000
# mmap calls there. From 9.1 on (Debian 13, and Debian 12's backports) a
# start takes a quarter of a second.
fast_qemu=1:9.1
install_qemu() {
  local installed candidate codename
  installed=$(dpkg-query -W -f='${Version}' qemu-user-static 2>/dev/null)
  [ -n "$installed" ] && dpkg --compare-versions "$installed" ge "$fast_qemu" && return 0
  candidate=$(apt-cache policy qemu-user-static 2>/dev/null | sed -n 's/^ *Candidate: //p')
  codename=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
  if ! dpkg --compare-versions "${candidate:-0}" ge "$fast_qemu" && [ "$codename" = bookworm ]; then
    echo "setup: installing qemu-user-static from Debian 12's backports"
    [ -n "$(grep -rls bookworm-backports /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null)" ] ||
      printf '%s\n' 'Types: deb' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm-backports' \
        'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' \
        >/etc/apt/sources.list.d/bookworm-backports.sources
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
      --no-install-recommends -t bookworm-backports qemu-user-static >/dev/null && return 0
    echo "setup: qemu from the backports could not be installed; the release's own, slower one is used"
  fi
  [ -n "$installed" ] || install_packages qemu-user-static
}

# Has binfmt_misc hand i386 programs to qemu-user, opened once at
# registration (flag F) so it works in every mount namespace. Where it
# cannot, it fails and leaves the reason in why_none.
qemu_i386=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F'
emulate_i386() {
  [ "$(id -u)" -eq 0 ] || { why_none="not root, so no emulation"; return 1; }
  install_qemu || { why_none="qemu-user-static is missing"; return 1; }
  if [ ! -e "$binfmt_dir/register" ] &&
     ! mount -t binfmt_misc binfmt_misc "$binfmt_dir" 2>/dev/null; then
    why_none="binfmt_misc cannot be mounted"
    return 1
  fi
  i386_handler_registered && return 0
  # A disabled entry of that name may hold an older qemu open: it goes.
  [ -e "$binfmt_dir/qemu-i386" ] && echo -1 >"$binfmt_dir/qemu-i386" 2>/dev/null
  echo "$qemu_i386" >"$binfmt_dir/register" 2>/dev/null
  i386_handler_registered || { why_none="no i386 handler can be registered"; return 1; }
}

install_packages "${packages[@]}" || exit 1

# Found out once here; the other scripts ask again, which is cheap.
bits=$(detect_32bit)
why_none="VIBRO_32BIT says so"
if [ "$bits" = none ] && [ -z "${VIBRO_32BIT:-}" ] && emulate_i386; then
  bits=$(detect_32bit)
  why_none="the 32-bit Wine loader does not start even under emulation"
fi
case $bits in
  native) echo "setup: 32-bit programs run natively here" ;;
  emulated) echo "setup: 32-bit programs run under emulation here: slow" ;;
  *) echo "setup: 32-bit programs cannot run here ($why_none): 64-bit only" ;;
esac

# One Wine prefix serves both Windows builds; Wine's own programs run 64-bit.
# Where 32-bit programs run, the prefix needs its 32-bit side, which a prefix
# made on a day they did not run lacks, and which only a new prefix gets.
prefix_ready() {
  [ -f "$WINEPREFIX/system.reg" ] &&
    { [ "$bits" = none ] || [ -f "$WINEPREFIX/drive_c/windows/syswow64/rundll32.exe" ]; }
}
if [ -f "$WINEPREFIX/system.reg" ] && ! prefix_ready; then
  echo "setup: remaking the Wine prefix, which lacks its 32-bit side"
  wineserver -k 2>/dev/null
  rm -rf "$WINEPREFIX" || fail "removing the old Wine prefix"
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: making the Wine prefix"
  mkdir -p "$WINEPREFIX" || fail "making the folder $WINEPREFIX"
  "$root/scripts/wine-exec.sh" wineboot -i >/dev/null 2>&1 </dev/null
  wineserver -w
  prefix_ready || fail "making the Wine prefix (wineboot)"
fi

# Without a window manager (the virtual display) Wine waits two seconds for
# every top-level window it hides; unmanaged windows are hidden at once.
if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  "$root/scripts/wine-exec.sh" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
    >/dev/null 2>&1 </dev/null
  wineserver -w
  grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" || fail "writing the unmanaged-window setting"
fi

# The prefix shows the program as a Russian Windows does. This Wine does not
# look for its own fonts where the package puts them, only in the prefix's
# font folder; and the classic bitmap faces must name their Cyrillic files:
# with the Western ones "MS Sans Serif" has no Cyrillic letters, and this
# Wine keeps one file per face name. (FONTS.FON is the system face.)
fonts="$WINEPREFIX/drive_c/windows/Fonts"
{ mkdir -p "$fonts" && cp -u /usr/share/wine/fonts/* "$fonts/"; } ||
  fail "copying Wine's fonts into the prefix"
if ! grep -q '"MS Sans Serif"="sserifer.fon"' "$WINEPREFIX/system.reg" 2>/dev/null; then
  echo "setup: the prefix's faces resolve to their Cyrillic files"
  faces="$WINEPREFIX/drive_c/cyrillic-faces.reg"
  cat >"$faces" <<'EOF' || fail "writing the font entries' file"
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]
"MS Sans Serif"="sserifer.fon"
"Courier"="courer.fon"
"Small Fonts"="smaller.fon"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Fonts]
"MS Sans Serif"="sserifer.fon"
"Courier"="courer.fon"
"Small Fonts"="smaller.fon"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts]
"FONTS.FON"="vgasysr.fon"
EOF
  "$root/scripts/wine-exec.sh" regedit /S 'C:\cyrillic-faces.reg' </dev/null >/dev/null 2>&1
  wineserver -w
  rm -f "$faces"
  grep -q '"MS Sans Serif"="sserifer.fon"' "$WINEPREFIX/system.reg" ||
    fail "writing the prefix's font entries"
fi
