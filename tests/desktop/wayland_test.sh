#!/usr/bin/env bash
# The game natively on Wayland: Debian's Weston runs inside a private Xvfb
# (its X11 backend, its kiosk shell, which shows one application over the
# whole output) and the game starts on it with SDL_VIDEODRIVER=wayland and no
# X display of its own. The Xvfb screen then shows the board, Space and a
# click sent through Xvfb reach the game (the clicked cell changes) and
# Escape ends it with exit code 0. Skipped (77) without Weston or an X server.
# Usage: wayland_test.sh BUILD_DIR
set -uo pipefail
BUILD="$1"
source "$(dirname "$0")/../support/x11.sh"
source "$BUILD/version.sh"
command -v weston >/dev/null || { echo "weston is not installed"; exit 77; }

vt_start_xvfb 1600x1200 || exit $?
export XDG_RUNTIME_DIR="$VT_XDIR/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
WESTON_PID=
stop() {
    [ -n "$WESTON_PID" ] && kill "$WESTON_PID" 2>/dev/null
    vt_stop_xvfb
}
trap stop EXIT
# The output is the game's own size, so that a cell lies where the game draws it.
weston --backend=x11-backend.so --shell=kiosk-shell.so --socket=vantorel-test --width=1280 --height=1024 \
    --use-pixman --idle-time=0 >"$VT_XDIR/weston.log" 2>&1 &
WESTON_PID=$!
for _ in $(seq 1 100); do [ -S "$XDG_RUNTIME_DIR/vantorel-test" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/vantorel-test" ] || { cat "$VT_XDIR/weston.log"; vt_fail "weston did not start"; }

cd "$BUILD"
# A sanitizer build checks its memory on the X11 runs only: at exit SDL 2.26's
# Wayland backend leaves allocations of its own, of libwayland-client and of
# libdecor, some made inside a decoration plugin unloaded by then (no module
# left for a suppression to name).
env -u DISPLAY SDL_VIDEODRIVER=wayland WAYLAND_DISPLAY=vantorel-test \
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" ./vantorel 2>"$VT_XDIR/game.log" &
VT_GAME_PID=$!
vt_wait_drawn 0 0 1280 1024 || { cat "$VT_XDIR/game.log"; vt_fail "nothing drawn on Weston within 30 s"; }
[ -z "$(xdotool search --name "$VT_CAPTION" 2>/dev/null)" ] || vt_fail "the game opened an X11 window"

# Keys go to the Weston window under the pointer, and from there to the game.
xdotool mousemove 1150 950
vt_press space
sleep 1.5  # the start banner flies off the board
vt_shot "$VT_XDIR/before.png"
xdotool mousemove 384 128
vt_click 1
sleep 0.5
vt_shot "$VT_XDIR/after.png"
vt_changed "$VT_XDIR/before.png" "$VT_XDIR/after.png" 200x200+284+28 || vt_fail "the click did not change the cell"
xdotool mousemove 1150 950
vt_quit_with_escape
