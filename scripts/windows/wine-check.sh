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
# Depends on: wine (wine32 for a 32-bit build, wine64 for a 64-bit one),
# xvfb, xauth, xdotool, x11-utils (xwininfo), imagemagick.
# Usage: wine-check.sh [build folder (default build-windows)]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(cd "${1:-$root/build-windows}" && pwd)"
. "$build/version.sh"  # VT_CAPTION, the window's caption
caption="$VT_CAPTION"
inside=false
[ "${2:-}" = "--inside" ] && inside=true
readonly ClientWidth=1280 ClientHeight=1024

fail() {
    if $inside && [ -s "$build/wine/game.log" ]; then
        echo "wine-check: the end of Wine's log:" >&2
        grep -E "debugstr|err:" "$build/wine/game.log" | tail -n 20 | cut -c1-200 >&2
    fi
    echo "wine-check: FAILED: $*" >&2
    exit 1
}

# --- Outside the X server: pick the loader, make the prefix, start Xvfb. ---
if ! $inside; then
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
    exec xvfb-run -a -s "-screen 0 1600x1200x24" "$0" "$build" --inside
fi

# --- Inside the X server. ---
wine="$build/wine"
loader="$WINELOADER"
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

# region <image> <w>x<h>+<x>+<y>: the grey mean and standard deviation, 0–1.
region() {
    convert "$1" -crop "$2" +repage -colorspace Gray -format "%[fx:mean] %[fx:standard_deviation]" info:
}
# drawn <image> <geometry>: something with detail is drawn there.
drawn() {
    region "$1" "$2" | awk '{ exit !($1 > 0.02 && $2 > 0.03) }'
}
# changed <a> <b> <geometry>: the region differs between two images.
changed() {
    local a b rmse
    a="$(mktemp --suffix=.png)"
    b="$(mktemp --suffix=.png)"
    convert "$1" -crop "$3" +repage "$a"
    convert "$2" -crop "$3" +repage "$b"
    rmse="$(compare -metric RMSE "$a" "$b" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p')" || true
    rm -f "$a" "$b"
    awk -v r="${rmse:-0}" 'BEGIN { exit !(r > 0.02) }'
}

board="1024x1024+0+0"
status_column="256x1024+1024+0"
gravity_arrow="128x128+1088+64"

echo "wine-check: starting vantorel.exe"
WINEDEBUG="-all,warn+debugstr,err+all" timeout 300 "$loader" vantorel.exe \
    > "$wine/game.out" 2> "$wine/game.log" &
game=$!
stop_game() {
    kill "$game" 2> /dev/null || true
    wineserver -k 2> /dev/null || true
}
trap stop_game EXIT

window="$(timeout 120 xdotool search --sync --name "^$caption\$" | head -n 1)" ||
    fail "the window \"$caption\" did not appear"
size="$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')"
echo "wine-check: client area $size"
[ "$size" = "${ClientWidth}x${ClientHeight}" ] || fail "client area $size, wanted ${ClientWidth}x${ClientHeight}"

# shot <name>: the client area as <shots>/<name>.png.
shot() {
    local x y
    eval "$(xwininfo -id "$window" | awk '/Absolute upper-left X:/ { print "x=" $4 } /Absolute upper-left Y:/ { print "y=" $4 }')"
    import -window root -crop "${ClientWidth}x${ClientHeight}+$x+$y" +repage "$shots/$1.png"
}

# The first frames: the board shows once the textures are loaded.
for _ in $(seq 1 90); do
    kill -0 "$game" 2> /dev/null || fail "vantorel.exe ended before drawing"
    shot first
    drawn "$shots/first.png" "$board" && break
    sleep 1
done
drawn "$shots/first.png" "$board" || fail "no board drawn (see $shots/first.png)"
drawn "$shots/first.png" "$status_column" || fail "no status column drawn (see $shots/first.png)"
echo "wine-check: board and status column drawn"

# Keys and buttons are held across several ticks, as a player would, so that
# the game's once-per-tick sampling sees them.
xdotool windowfocus --sync "$window"
eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^[XY]=')"
xdotool mousemove $((X + 128)) $((Y + 128))
sleep 0.5
shot idle
xdotool keydown space
sleep 0.3
xdotool keyup space
sleep 1.5
shot started
changed "$shots/idle.png" "$shots/started.png" "$board" || fail "Space did not start a round (see $shots/)"
echo "wine-check: Space started a round"
xdotool mousedown 1
sleep 0.3
xdotool mouseup 1
sleep 1
shot clicked
changed "$shots/started.png" "$shots/clicked.png" "$gravity_arrow" ||
    fail "a click on a cell did not turn the gravity (see $shots/)"
echo "wine-check: a click turned the gravity"

xdotool keydown Escape
sleep 0.2
xdotool keyup Escape
code=0
wait "$game" || code=$?
trap - EXIT
wineserver -w
[ "$code" -eq 0 ] || fail "vantorel.exe ended with exit code $code (log: $wine/game.log)"
[ ! -s "$wine/game.out" ] || fail "vantorel.exe wrote to standard output"
echo "wine-check: Escape ended the program with exit code 0"
echo "wine-check: the game's debug trace:"
sed -n 's/^.*OutputDebugStringA /  /p' "$wine/game.log" | cut -c1-160
echo "wine-check: passed"
