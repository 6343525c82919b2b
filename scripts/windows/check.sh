#!/usr/bin/env bash
# check.sh — the Windows step of ./test: installs what is missing, builds the
# 32-bit game and its download (build-windows/vantorel-VERSION-win32.zip),
# inspects the zip (zip-check.sh) and plays it unpacked under Wine in a new
# prefix, with and without the DirectX runtime (wine-check.sh).
# Wine's Direct3D 9 draws through OpenGL, so each road installs the OpenGL
# libraries of the loader it runs: on a kernel that runs 32-bit code, the
# i386 ones for 32-bit Wine; where it runs none (Linux's IA32 emulation
# switched off), the 32-bit build is still made, and the Wine check runs on a
# 64-bit build of the same sources in build-win-x86_64/ under 64-bit Wine with
# the amd64 ones, packed the same way (vantorel-VERSION-win64.zip), so the
# game's Windows code and the download are still exercised; the 32-bit zip
# is then inspected only, and the single-precision check says nothing about
# x87.
# Depends on: scripts/setup.sh (package installation), apt-get, dpkg.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../setup.sh"

windows="$VT_ROOT/scripts/windows"

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture for Wine's 32-bit loader"
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" dpkg --add-architecture i386
fi
vt_install_missing g++-mingw-w64-i686 dpkg-dev file binutils unzip wine wine64 wine32:i386 \
                   xvfb xauth xdotool x11-utils imagemagick

# Debian's wine command names its loaders; the 32-bit one starts only where
# the kernel runs 32-bit code.
wine32="$(sed -n 's/^wine32=//p' "$(command -v wine)")"
if [ -n "$wine32" ] && WINEDEBUG=-all "$wine32" --version > /dev/null 2>&1; then
    echo "check: the kernel runs 32-bit code: checking the 32-bit build under 32-bit Wine"
    vt_install_missing libgl1:i386 libgl1-mesa-dri:i386
    "$windows/build.sh" i686
    "$windows/zip-check.sh" "$VT_ROOT/build-windows"
    exec "$windows/wine-check.sh" "$VT_ROOT/build-windows"
fi
echo "check: the kernel runs no 32-bit code: building the 32-bit game, checking a 64-bit build" \
     "of the same sources under 64-bit Wine"
vt_install_missing g++-mingw-w64-x86-64 libgl1 libgl1-mesa-dri
"$windows/build.sh" i686
"$windows/zip-check.sh" "$VT_ROOT/build-windows"
"$windows/build.sh" x86_64
"$windows/zip-check.sh" "$VT_ROOT/build-win-x86_64"
exec "$windows/wine-check.sh" "$VT_ROOT/build-win-x86_64"
