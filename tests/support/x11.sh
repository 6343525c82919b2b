# x11.sh — the one X harness, sourced by everything that runs a real game on
# a real X server (the desktop tests, the end-to-end test through
# vt_run_in_xvfb, the Wine check, the whole-game benchmark): start a private
# Xvfb, find the game's window, press keys and buttons as a person does, take
# screenshots and compare regions of them. Works under `set -euo pipefail`.
# Needs Xvfb, xdotool, xwininfo (x11-utils) and ImageMagick.

# vt_start_xvfb WIDTHxHEIGHT: starts Xvfb on a free display and exports
# DISPLAY. Returns 77 (skip) when no X server can be started at all. The
# server never resets: by default an X server starts over whenever its last
# client leaves, and a game connecting just as a short-lived client (one
# `xdotool search`) leaves finds no display and ends.
vt_start_xvfb() {
    local size="$1"
    command -v Xvfb >/dev/null || { echo "Xvfb is not installed"; return 77; }
    VT_XDIR=$(mktemp -d)
    local fdfile="$VT_XDIR/display"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$fdfile" 2>"$VT_XDIR/xvfb.log" &
    VT_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
        [ -s "$fdfile" ] && break
        kill -0 "$VT_XVFB_PID" 2>/dev/null || { cat "$VT_XDIR/xvfb.log"; return 77; }
        sleep 0.1
    done
    [ -s "$fdfile" ] || return 77
    export DISPLAY=":$(tr -d '\n' <"$fdfile")"
    trap vt_stop_xvfb EXIT
}

# vt_run_in_xvfb WIDTHxHEIGHT COMMAND...: runs the command on a private Xvfb
# and returns its status (77 when no X server can be started).
vt_run_in_xvfb() {
    vt_start_xvfb "$1" || return $?
    shift
    "$@"
}

# vt_stop_xvfb: stops the game (when still running) and the server, and
# removes the scratch folder; a second call does nothing.
vt_stop_xvfb() {
    if [ -n "${VT_GAME_PID:-}" ]; then kill "$VT_GAME_PID" 2>/dev/null || true; fi
    if [ -n "${VT_XVFB_PID:-}" ]; then kill "$VT_XVFB_PID" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    if [ -n "${VT_XDIR:-}" ]; then rm -rf "$VT_XDIR"; fi
    VT_GAME_PID="" VT_XVFB_PID="" VT_XDIR=""
    return 0
}

# vt_wait_window NAME [SECONDS]: prints the id of the visible window whose
# title matches NAME (a regular expression) once it has settled (SDL may
# replace its first X window while it sets up drawing), waiting up to SECONDS
# (50 by default: a sanitizer build starts slowly on a loaded machine).
# Gives up at once when the game started as VT_GAME_PID has ended.
vt_wait_window() {
    local id="" last=""
    for _ in $(seq 1 $((${2:-50} * 4))); do
        if [ -n "${VT_GAME_PID:-}" ] && ! kill -0 "$VT_GAME_PID" 2>/dev/null; then return 1; fi
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1)
        if [ -n "$id" ] && [ "$id" = "$last" ] && xwininfo -id "$id" >/dev/null 2>&1; then
            echo "$id"
            return 0
        fi
        last="$id"
        sleep 0.25
    done
    return 1
}

# The game under test may be a sanitizer build: it checks its memory at exit
# as the suites do, with the project's suppressions of the system libraries'
# own leaks (tests/lsan.supp), so that a leak of the game's fails the run.
case ":${LSAN_OPTIONS:-}:" in
*:suppressions=*) ;;
*) export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/lsan.supp" ;;
esac

# vt_geometry WINDOW: prints "X Y WIDTH HEIGHT" of the window's client area
# on the screen.
vt_geometry() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^  Width/ {w=$NF} /^  Height/ {h=$NF}
        END {print x, y, w, h}'
}

# vt_wait_drawn X Y W H: waits up to 30 s (a sanitizer build starts slowly on
# a loaded machine) until that screen area shows a picture, not black.
vt_wait_drawn() {
    local mean
    for _ in $(seq 1 150); do
        mean=$(import -window root -crop "${3}x${4}+${1}+${2}" +repage -colorspace gray \
               -format '%[fx:int(mean*1000)]' info: 2>/dev/null || echo 0)
        [ "${mean:-0}" -gt 20 ] && return 0
        sleep 0.2
    done
    return 1
}

# vt_shot FILE [WxH+X+Y]: a PNG of the whole screen, or of that part of it.
vt_shot() {
    if [ -n "${2:-}" ]; then
        import -window root -crop "$2" +repage "png:$1"
    else
        import -window root "png:$1"
    fi
}

# vt_drawn FILE WxH+X+Y: true when that region of the image shows a picture
# with detail (neither black nor one flat colour).
vt_drawn() {
    convert "$1" -crop "$2" +repage -colorspace Gray -format "%[fx:mean] %[fx:standard_deviation]" info: |
        awk '{ exit !($1 > 0.02 && $2 > 0.03) }'
}

# vt_changed A B WxH+X+Y: true when that region differs between the two
# images by more than noise (a root mean square difference above 2 %).
vt_changed() {
    local rmse
    convert "$1" -crop "$3" +repage "$VT_XDIR/changed-a.png"
    convert "$2" -crop "$3" +repage "$VT_XDIR/changed-b.png"
    rmse=$(compare -metric RMSE "$VT_XDIR/changed-a.png" "$VT_XDIR/changed-b.png" null: 2>&1 |
           sed -n 's/.*(\(.*\)).*/\1/p') || true
    awk -v r="${rmse:-0}" 'BEGIN { exit !(r > 0.02) }'
}

# vt_diff A B GEOMETRY: how many pixels differ between two screenshots inside
# WxH+X+Y.
vt_diff() {
    convert "$1" -crop "$3" +repage "$VT_XDIR/diff-a.png"
    convert "$2" -crop "$3" +repage "$VT_XDIR/diff-b.png"
    compare -metric AE "$VT_XDIR/diff-a.png" "$VT_XDIR/diff-b.png" null: 2>&1 | awk '{printf "%d\n", $1}'
}

# vt_press KEY / vt_click BUTTON: held for a quarter of a second, as a person
# does, so that the game's once-per-frame sampling sees it.
vt_press() { xdotool keydown "$1"; sleep 0.25; xdotool keyup "$1"; }
vt_click() { xdotool mousedown "$1"; sleep 0.2; xdotool mouseup "$1"; }

# vt_pixel FILE X Y: "r g b" of one pixel, 0–255.
vt_pixel() {
    convert "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- | awk 'NR==2 {gsub(/[()]/," ",$2); split($2,c,","); print int(c[1]), int(c[2]), int(c[3])}'
}

vt_fail() { echo "FAIL: $*"; exit 1; }

# vt_quit_with_escape: Escape must end the game started as VT_GAME_PID within
# five seconds, with exit code 0; then the test has passed.
vt_quit_with_escape() {
    vt_press Escape
    for _ in $(seq 1 50); do kill -0 "$VT_GAME_PID" 2>/dev/null || break; sleep 0.1; done
    wait "$VT_GAME_PID"
    local code=$?
    VT_GAME_PID=
    [ "$code" -eq 0 ] || vt_fail "exit code $code"
    echo "PASS"
}
