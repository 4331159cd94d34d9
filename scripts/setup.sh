#!/usr/bin/env bash
# Installs the cross toolchains, Wine and the test tools, and makes the Wine
# prefix. Safe to run again: it only does what is still missing.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 wine32:i386 xvfb xauth cmake ninja-build googletest libbenchmark-dev
  clang libclang-rt-14-dev imagemagick g++ x11-utils fonts-wine
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# One Wine prefix serves both Windows builds.
export WINEPREFIX="$root/build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: making the Wine prefix"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi

# Without a window manager (the virtual display) Wine waits two seconds for
# every top-level window it hides; unmanaged windows are hidden at once.
if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null || true
fi

# The prefix shows the program as a Russian Windows does. This Wine does not
# look for its own fonts where the package puts them, only in the prefix's
# font folder; and the classic bitmap faces must name their Cyrillic files:
# with the Western ones "MS Sans Serif" has no Cyrillic letters, and this
# Wine keeps one file per face name. (FONTS.FON is the system face.)
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -u /usr/share/wine/fonts/* "$fonts/"
if ! grep -q '"MS Sans Serif"="sserifer.fon"' "$WINEPREFIX/system.reg" 2>/dev/null; then
  echo "setup: the prefix's faces resolve to their Cyrillic files"
  faces="$WINEPREFIX/drive_c/cyrillic-faces.reg"
  cat >"$faces" <<'EOF'
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
  wine regedit /S 'C:\cyrillic-faces.reg' </dev/null >/dev/null 2>&1
  wineserver -w
  rm -f "$faces"
  grep -q '"MS Sans Serif"="sserifer.fon"' "$WINEPREFIX/system.reg" ||
    { echo "setup: the prefix's font entries could not be written"; exit 1; }
fi
