#!/usr/bin/env bash
# wine-check.sh — runs the Windows build under Wine in a virtual X server and
# checks it end to end:
#   - vantorel-floatcheck.exe: float arithmetic rounds to single precision;
#   - vantorel.exe from the build folder: the window's client area is exactly
#     1280 × 1024; the first frames show the board and the status column;
#     Space starts a round (the board changes); a left click on a cell turns
#     the gravity (the status column's arrow changes); Escape ends the program
#     with exit code 0; nothing is written to standard output.
# Wine's own effect compiler cannot compile the game's effects; the game then
# runs without them, as it does whenever an effect fails, and the check
# passes. Sound goes to an ALSA null device, so DirectSound finds a device.
# The Wine prefix and the ALSA setting live in <build>/wine/ and are made
# once. Exit codes: 0 passed, 1 failed, 77 skipped (this machine cannot run
# the build's code: a 32-bit build where the kernel runs no 32-bit code).
# Depends on: wine (wine32 for a 32-bit build, wine64 for a 64-bit one), the
# X harness tests/support/x11.sh (xvfb, xdotool, x11-utils, imagemagick).
# Usage: wine-check.sh [build folder (default build-windows)]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(cd "${1:-$root/build-windows}" && pwd)"
. "$build/version.sh"  # VT_CAPTION, the window's caption
. "$root/tests/support/x11.sh"
caption="$VT_CAPTION"
readonly ClientWidth=1280 ClientHeight=1024

fail() {
    if [ -n "${game:-}" ] && [ -s "$build/wine/game.log" ]; then
        echo "wine-check: the end of Wine's log:" >&2
        grep -E "debugstr|err:" "$build/wine/game.log" | tail -n 20 | cut -c1-200 >&2
    fi
    echo "wine-check: FAILED: $*" >&2
    exit 1
}

# --- Pick the loader, make the prefix. ---
for f in vantorel.exe vantorel-floatcheck.exe DATA; do
    [ -e "$build/$f" ] || fail "$build/$f is missing (run scripts/windows/build.sh)"
done
# Debian's wine command starts whichever loader is installed, the 32-bit
# one first; the check takes the one the executable needs by its name.
wine_command="$(command -v wine)" || fail "wine is not installed"
case "$(file -b "$build/vantorel.exe")" in
    PE32+*)
        loader="$(sed -n 's/^wine64=//p' "$wine_command")"
        arch=win64
        ;;
    PE32*)
        loader="$(sed -n 's/^wine32=//p' "$wine_command")"
        arch=win32
        ;;
    *) fail "$build/vantorel.exe is not a Windows executable" ;;
esac
if [ -z "$loader" ] || ! WINEDEBUG=-all "$loader" --version > /dev/null 2>&1; then
    echo "wine-check: SKIPPED: this machine cannot run $loader" \
         "(for a 32-bit build: wine32 missing, or the kernel runs no 32-bit code)" >&2
    exit 77
fi

wine="$build/wine"
mkdir -p "$wine/home"
# DirectSound needs an output device: the default ALSA device discards.
printf 'pcm.!default { type null }\n' > "$wine/home/.asoundrc"
export HOME="$wine/home" WINEPREFIX="$wine/prefix" WINEARCH="$arch" WINELOADER="$loader"
# No crash dialog (a crash ends the process), no desktop menus, no Mono
# or Gecko installers.
export WINEDLLOVERRIDES="winedbg.exe=d;winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINEDEBUG="-all"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-check: making the Wine prefix"
    "$loader" wineboot -i > "$wine/wineboot.log" 2>&1 || fail "wineboot (log: $wine/wineboot.log)"
    "$loader" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f > /dev/null 2>&1
    wineserver -w
fi

# --- On a private X server. ---
vt_start_xvfb 1600x1200 || fail "Xvfb could not start"
shots="$wine/shots"
rm -rf "$shots" "$wine/game.log" "$wine/game.out"
mkdir -p "$shots"
cd "$build"

echo "wine-check: single precision"
WINEDEBUG=-all "$loader" vantorel-floatcheck.exe > "$wine/floatcheck.out" 2>&1 || {
    cat "$wine/floatcheck.out" >&2
    fail "vantorel-floatcheck.exe"
}
sed 's/^/  /; s/\r$//' "$wine/floatcheck.out"

board="1024x1024+0+0"
status_column="256x1024+1024+0"
gravity_arrow="128x128+1088+64"

echo "wine-check: starting vantorel.exe"
WINEDEBUG="-all,warn+debugstr,err+all" timeout 300 "$loader" vantorel.exe \
    > "$wine/game.out" 2> "$wine/game.log" &
game=$!
VT_GAME_PID=$game
trap 'vt_stop_xvfb; wineserver -k 2> /dev/null || true' EXIT

window="$(vt_wait_window "^$caption\$" 120)" || fail "the window \"$caption\" did not appear"
read -r x y width height <<< "$(vt_geometry "$window")"
echo "wine-check: client area ${width}x$height"
[ "${width}x$height" = "${ClientWidth}x${ClientHeight}" ] ||
    fail "client area ${width}x$height, wanted ${ClientWidth}x${ClientHeight}"

# shot <name>: the client area as <shots>/<name>.png.
shot() { vt_shot "$shots/$1.png" "${ClientWidth}x${ClientHeight}+$x+$y"; }

# The first frames: the board shows once the textures are loaded.
for _ in $(seq 1 90); do
    kill -0 "$game" 2> /dev/null || fail "vantorel.exe ended before drawing"
    shot first
    vt_drawn "$shots/first.png" "$board" && break
    sleep 1
done
vt_drawn "$shots/first.png" "$board" || fail "no board drawn (see $shots/first.png)"
vt_drawn "$shots/first.png" "$status_column" || fail "no status column drawn (see $shots/first.png)"
echo "wine-check: board and status column drawn"

# Keys and buttons are held across several ticks, as a player would, so that
# the game's once-per-tick sampling sees them.
xdotool windowfocus --sync "$window"
xdotool mousemove $((x + 128)) $((y + 128))
sleep 0.5
shot idle
vt_press space
sleep 1.5
shot started
vt_changed "$shots/idle.png" "$shots/started.png" "$board" || fail "Space did not start a round (see $shots/)"
echo "wine-check: Space started a round"
vt_click 1
sleep 1
shot clicked
vt_changed "$shots/started.png" "$shots/clicked.png" "$gravity_arrow" ||
    fail "a click on a cell did not turn the gravity (see $shots/)"
echo "wine-check: a click turned the gravity"

vt_press Escape
code=0
wait "$game" || code=$?
VT_GAME_PID=
trap vt_stop_xvfb EXIT
wineserver -w
[ "$code" -eq 0 ] || fail "vantorel.exe ended with exit code $code (log: $wine/game.log)"
[ ! -s "$wine/game.out" ] || fail "vantorel.exe wrote to standard output"
echo "wine-check: Escape ended the program with exit code 0"
echo "wine-check: the game's debug trace:"
sed -n 's/^.*OutputDebugStringA /  /p' "$wine/game.log" | cut -c1-160
echo "wine-check: passed"
