#!/usr/bin/env bash
# wine-check.sh — runs the Windows download as a player would, under Wine in a
# virtual X server: the build's zip is unpacked into a new folder and started
# from there in a new Wine prefix (so nothing from an earlier run is found),
# and checked end to end:
#   - vantorel-floatcheck.exe (from the build folder; it is not shipped):
#     float arithmetic rounds to single precision;
#   - vantorel.exe from the unpacked zip: the window's client area is exactly
#     1280 × 1024; the first frames show the board and the status column;
#     Space starts a round (the board changes); a left click on a cell turns
#     the gravity (the status column's arrow changes); M writes the settings
#     (muted) into the prefix's %APPDATA%\Vantorel\settings.txt; Escape ends
#     the program with exit code 0; nothing is written to standard output;
#   - vantorel.exe --verify with the round file of the Linux test
#     (tests/verify/one_minute_round.txt): exit code 0, the line the Linux
#     test wants (the file's claim, verified) on standard output and nothing
#     on the debug trace; a copy with the claim raised: exit code 1 and "does
#     not match";
#   - the same program where Wine's builtin d3dx9_43.dll is switched off, as on
#     a Windows without the DirectX runtime: a message box says what to
#     install (its text also goes to the debug trace), Wine's loader reports
#     no missing DLL, and OK ends the program with exit code 1.
# Wine's own effect compiler cannot compile the game's effects; the game then
# runs without them, as it does whenever an effect fails, and the check
# passes. Sound goes to an ALSA null device, so DirectSound finds a device.
# Everything lives in <build>/wine/, made afresh on every run (the prefix
# takes some fifteen seconds); the screenshots and Wine's logs stay there
# afterwards. Exit codes: 0 passed, 1 failed, 77 skipped (this machine cannot
# run the build's code: a 32-bit build where the kernel runs no 32-bit code).
# Depends on: wine (wine32 for a 32-bit build, wine64 for a 64-bit one),
# unzip, the X harness tests/support/x11.sh (xvfb, xdotool, x11-utils,
# imagemagick).
# Usage: wine-check.sh [build folder (default build-windows)]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(cd "${1:-$root/build-windows}" && pwd)"
. "$build/version.sh"  # VT_CAPTION, the window's caption; VT_VERSION
. "$root/tests/support/x11.sh"
caption="$VT_CAPTION"
readonly ClientWidth=1280 ClientHeight=1024
readonly RuntimeMissingTitle="Vantorel: the DirectX runtime is missing" ExitRuntimeMissing=1

fail() {
    if [ -n "${log:-}" ] && [ -s "$log" ]; then
        echo "wine-check: the end of Wine's log:" >&2
        grep -E "debugstr|err:" "$log" | tail -n 20 | cut -c1-200 >&2
    fi
    echo "wine-check: FAILED: $*" >&2
    exit 1
}

# --- Pick the loader. ---
for f in "$build/vantorel.exe" "$build/vantorel-floatcheck.exe" "$build/vantorel-$VT_VERSION"-win*.zip; do
    [ -e "$f" ] || fail "$f is missing (run scripts/windows/build.sh)"
done
zip="$(ls "$build/vantorel-$VT_VERSION"-win*.zip)"
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
rm -rf "$wine"
mkdir -p "$wine/home"
# DirectSound needs an output device: the default ALSA device discards.
printf 'pcm.!default { type null }\n' > "$wine/home/.asoundrc"
export HOME="$wine/home" WINEPREFIX="$wine/prefix" WINEARCH="$arch" WINELOADER="$loader"
# No crash dialog (a crash ends the process), no desktop menus, no Mono
# or Gecko installers.
export WINEDLLOVERRIDES="winedbg.exe=d;winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINEDEBUG="-all"

# --- On a private X server, with one Wine server for every program the
# check starts (its desktop process keeps the display it was started on). ---
vt_start_xvfb 1600x1200 || fail "Xvfb could not start"
mkdir -p "$WINEPREFIX"
wineserver -p
trap 'vt_stop_xvfb; wineserver -k 2> /dev/null || true' EXIT
shots="$wine/shots"
mkdir -p "$shots"

echo "wine-check: making a new Wine prefix"
"$loader" wineboot -i > "$wine/wineboot.log" 2>&1 || fail "wineboot (log: $wine/wineboot.log)"
"$loader" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f > /dev/null 2>&1
# Where the game keeps its settings in this prefix, as Windows names it.
appdata="$("$loader" cmd /c echo %APPDATA% | tr -d '\r')"
settings_file="$("$loader" winepath -u "$appdata\\Vantorel\\settings.txt" | tr -d '\r')"
if [ -z "$settings_file" ] || [ -e "$settings_file" ]; then
    fail "no fresh %APPDATA% in the new prefix ($appdata)"
fi

player="$wine/player"
echo "wine-check: unpacking $(basename "$zip") into a new folder"
unzip -q "$zip" -d "$player" || fail "unzip could not unpack $zip"
cd "$player"

echo "wine-check: single precision"
WINEDEBUG=-all "$loader" "$build/vantorel-floatcheck.exe" > "$wine/floatcheck.out" 2>&1 || {
    cat "$wine/floatcheck.out" >&2
    fail "vantorel-floatcheck.exe"
}
sed 's/^/  /; s/\r$//' "$wine/floatcheck.out"

# verify CODE FILE LINE: the unpacked game verifies the round file FILE
# (copied into its folder) with exit code CODE, LINE alone on standard output
# and nothing on the debug trace.
verify() {
    local want="$1" file="$2" line="$3" code=0
    cp "$file" round.txt
    WINEDEBUG="-all,warn+debugstr" timeout 120 "$loader" vantorel.exe --verify round.txt \
        > "$wine/verify.out" 2> "$wine/verify.err" || code=$?
    local got
    got="$(tr -d '\r' < "$wine/verify.out")"
    if [ "$code" -ne "$want" ] || [ "$got" != "$line" ]; then
        sed 's/^/  err: /' "$wine/verify.err" | cut -c1-200 >&2
        fail "--verify $(basename "$file"): exit code $code, wanted $want; output \"$got\", wanted \"$line\""
    fi
    if grep "OutputDebugStringA" "$wine/verify.err" | cut -c1-200 >&2; then
        fail "--verify $(basename "$file") wrote to the debug trace (a round played with no device says nothing)"
    fi
    echo "wine-check: --verify $(basename "$file"): exit code $code, $got"
}
round="$root/tests/verify/one_minute_round.txt"
read -r score chain <<< "$(sed -n 's/^claim //p' "$round")"
reached="score $score chain $chain"
verify 0 "$round" "$reached (file claims $score chain $chain): verified"
sed "s/^claim .*/claim $((score + 1)) $chain/" "$round" > "$wine/raised.txt"
verify 1 "$wine/raised.txt" "$reached (file claims $((score + 1)) chain $chain): does not match"
rm round.txt

board="1024x1024+0+0"
status_column="256x1024+1024+0"
gravity_arrow="128x128+1088+64"

# start_game <name> [DLL overrides]: starts the unpacked vantorel.exe with
# Wine's warnings of the debug trace and every error in <wine>/<name>.log.
start_game() {
    log="$wine/$1.log"
    out="$wine/$1.out"
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES${2:+;$2}" WINEDEBUG="-all,warn+debugstr,err+all" \
        timeout 300 "$loader" vantorel.exe > "$out" 2> "$log" &
    game=$!
    VT_GAME_PID=$game
}
# wait_game: waits for the game's end; its exit code in $code.
wait_game() {
    code=0
    wait "$game" || code=$?
    VT_GAME_PID=
}
# muted: the settings file says "mute = yes" (Windows may end its lines with CRLF).
muted() { [ -f "$settings_file" ] && tr -d '\r' < "$settings_file" | grep -q -x 'mute = yes'; }

echo "wine-check: starting vantorel.exe from the unpacked zip"
start_game game

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

vt_press m
for _ in $(seq 1 50); do
    muted && break
    sleep 0.1
done
muted ||
    fail "M wrote no \"mute = yes\" into $appdata\\Vantorel\\settings.txt ($settings_file)"
echo "wine-check: M wrote the settings into $appdata\\Vantorel\\settings.txt"

vt_press Escape
wait_game
[ "$code" -eq 0 ] || fail "vantorel.exe ended with exit code $code (log: $log)"
[ ! -s "$out" ] || fail "vantorel.exe wrote to standard output"
echo "wine-check: Escape ended the program with exit code 0"
echo "wine-check: the game's debug trace:"
sed -n 's/^.*OutputDebugStringA /  /p' "$log" | cut -c1-160

# --- As on a Windows without the DirectX runtime. ---
echo "wine-check: starting vantorel.exe without d3dx9_43.dll"
start_game no-runtime d3dx9_43=
box="$(vt_wait_window "^$RuntimeMissingTitle\$" 60)" ||
    fail "no message box \"$RuntimeMissingTitle\" (log: $log)"
read -r bx by bwidth bheight <<< "$(vt_geometry "$box")"
vt_shot "$shots/no-runtime.png" "${bwidth}x$bheight+$bx+$by"
vt_drawn "$shots/no-runtime.png" "${bwidth}x$bheight+0+0" || fail "an empty message box (see $shots/no-runtime.png)"
grep -q "OutputDebugStringA.*install the DirectX End-User Runtime (June 2010): https://www.microsoft.com/" "$log" ||
    fail "the debug trace does not say what to install (log: $log)"
echo "wine-check: a message box says what to install (see $shots/no-runtime.png):"
sed -n 's/^.*OutputDebugStringA /  /p' "$log" | cut -c1-160
xdotool windowfocus --sync "$box"
vt_press Return
wait_game
if grep -E "err:module|import_dll" "$log" | cut -c1-200 >&2; then fail "Wine's loader reported a missing DLL"; fi
[ "$code" -eq "$ExitRuntimeMissing" ] ||
    fail "without d3dx9_43.dll vantorel.exe ended with exit code $code, wanted $ExitRuntimeMissing (log: $log)"
echo "wine-check: OK ended the program with exit code $code; Wine's loader reported nothing missing"
echo "wine-check: passed"
