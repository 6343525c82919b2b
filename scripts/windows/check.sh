#!/usr/bin/env bash
# check.sh — the Windows step of ./test: installs what is missing, builds the
# 32-bit game into build-windows/ and runs it under Wine (wine-check.sh).
# Where the kernel runs no 32-bit code (Linux's IA32 emulation switched off),
# the 32-bit build is still made, and the Wine check runs on a 64-bit build of
# the same sources in build-win-x86_64/ instead, so the game's Windows code is
# still exercised; the single-precision check then says nothing about x87.
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
vt_install_missing g++-mingw-w64-i686 dpkg-dev file wine wine64 wine32:i386 \
                   xvfb xauth xdotool x11-utils imagemagick

"$windows/build.sh" i686
code=0
"$windows/wine-check.sh" "$VT_ROOT/build-windows" || code=$?
if [ "$code" -eq 77 ]; then
    echo "The 32-bit build cannot run here: checking a 64-bit build of the same sources instead"
    vt_install_missing g++-mingw-w64-x86-64
    "$windows/build.sh" x86_64
    "$windows/wine-check.sh" "$VT_ROOT/build-win-x86_64"
    exit
fi
exit "$code"
