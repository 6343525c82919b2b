#!/usr/bin/env bash
# The real game on a real X screen of the given size: the window fits the
# screen with the game's 5:4 shape, a click at the physical centre of each
# corner cell changes that cell, and the drawn pointer's top-left corner is
# at the physical cursor. With MODE `resized` the window is first forced to
# 1500 × 1150; with `fullscreen` F11 makes it cover the screen, and Alt+Enter
# brings it back where it was. Either way the picture keeps its shape,
# centred between dark bars, and the pointer and clicks follow it.
# Usage: window_fit_test.sh BUILD_DIR WIDTHxHEIGHT [fit|resized|fullscreen]
set -uo pipefail
BUILD="$1"
SCREEN="$2"
MODE="${3:-fit}"
source "$(dirname "$0")/../support/x11.sh"
source "$BUILD/version.sh"

vt_start_xvfb "$SCREEN" || exit $?
SW=${SCREEN%x*}
SH=${SCREEN#*x}
# The full-screen choice is kept: in a folder of this run's own.
export XDG_CONFIG_HOME="$VT_XDIR/config" XDG_DATA_HOME="$VT_XDIR/data"
cd "$BUILD"
./vantorel &
VT_GAME_PID=$!
WIN=$(vt_wait_window "$VT_CAPTION") || vt_fail "no game window"
read -r WX WY WW WH <<<"$(vt_geometry "$WIN")"
vt_wait_drawn "$WX" "$WY" "$WW" "$WH" || vt_fail "nothing drawn within 30 s"
echo "screen $SW x $SH, client area at ($WX, $WY), $WW x $WH"
[ $((WX + WW)) -le "$SW" ] && [ $((WY + WH)) -le "$SH" ] || vt_fail "window does not fit the screen"
[ $((WW * 4 - WH * 5)) -ge -5 ] && [ $((WW * 4 - WH * 5)) -le 5 ] || vt_fail "window lost its 5:4 shape"
if [ "$SW" -ge 1300 ] && [ "$SH" -ge 1060 ]; then
    [ "$WW" -eq 1280 ] && [ "$WH" -eq 1024 ] || vt_fail "window scaled on a screen that holds it"
fi
NATURAL="$WX $WY $WW $WH"
# Without a window manager the focus follows the pointer: held explicitly.
xdotool windowfocus "$WIN"

# Waits until the window's client area is W x H; then reads its geometry.
wait_size() {
    for _ in $(seq 1 50); do
        read -r WX WY WW WH <<<"$(vt_geometry "$WIN")"
        [ "$WW" -eq "$1" ] && [ "$WH" -eq "$2" ] && return 0
        sleep 0.1
    done
    vt_fail "client area is $WW x $WH, not $1 x $2"
}
# The settings are written a second after a change: waits up to 3 s for the line.
wait_kept() {
    for _ in $(seq 1 30); do
        grep -q "^$1\$" "$XDG_CONFIG_HOME/vantorel/settings.txt" 2>/dev/null && return 0
        sleep 0.1
    done
    vt_fail "$2"
}
case "$MODE" in
resized)
    xdotool windowsize "$WIN" 1500 1150
    wait_size 1500 1150
    ;;
fullscreen)
    vt_press F11
    wait_size "$SW" "$SH"
    wait_kept "fullscreen = yes" "full-screen not kept"
    ;;
esac
sleep 0.5

# The picture: the largest 5:4 rectangle the client area holds, centred.
if [ $((WW * 1024)) -gt $((WH * 1280)) ]; then
    PW=$(((WH * 1280 + 512) / 1024)); PH=$WH
else
    PW=$WW; PH=$(((WW * 1024 + 640) / 1280))
fi
PX0=$((WX + (WW - PW) / 2))
PY0=$((WY + (WH - PH) / 2))
echo "client area at ($WX, $WY), $WW x $WH: picture at ($PX0, $PY0), $PW x $PH"
# Bars are dark, the picture's edges are drawn.
vt_shot "$VT_XDIR/placed.png"
if [ "$PX0" -gt "$((WX + 8))" ]; then
    vt_drawn "$VT_XDIR/placed.png" "8x$PH+$WX+$WY" && vt_fail "the bar left of the picture is not dark"
    vt_drawn "$VT_XDIR/placed.png" "8x$PH+$((PX0 + PW))+$WY" && vt_fail "the bar right of the picture is not dark"
fi
vt_drawn "$VT_XDIR/placed.png" "40x$PH+$PX0+$PY0" || vt_fail "the picture's left edge is not where it belongs"
vt_drawn "$VT_XDIR/placed.png" "40x$PH+$((PX0 + PW - 40))+$PY0" || vt_fail "the picture's right edge is not where it belongs"

# Picture pixel (x, y) of the 1280 × 1024 back buffer → screen pixel.
sx() { echo $((PX0 + $1 * PW / 1280)); }
sy() { echo $((PY0 + $1 * PH / 1024)); }

# The drawn pointer: two screenshots with the cursor at two places over the
# plain board; what changed near the second place starts at the cursor.
xdotool mousemove "$(sx 1100)" "$(sy 150)"
sleep 0.5
vt_shot "$VT_XDIR/a.png"
PX=$(sx 1150)
PY=$(sy 600)
xdotool mousemove "$PX" "$PY"
# Wait for a frame that shows the pointer at its new place.
for _ in $(seq 1 50); do
    sleep 0.2
    vt_shot "$VT_XDIR/b.png"
    BOX=$(compare -metric AE -highlight-color white -lowlight-color black "$VT_XDIR/a.png" "$VT_XDIR/b.png" png:- 2>/dev/null |
        convert png:- -crop "60x60+$((PX - 10))+$((PY - 10))" +repage -format '%@' info: 2>/dev/null)
    case "$BOX" in 0x0*|"") ;; *) break ;; esac
done
# %@ is the trim box WxH+X+Y of the changed pixels within the crop.
BX=$(echo "$BOX" | sed -E 's/.*\+([0-9]+)\+([0-9]+)$/\1/')
BY=$(echo "$BOX" | sed -E 's/.*\+([0-9]+)\+([0-9]+)$/\2/')
echo "pointer drawn from ($((PX - 10 + BX)), $((PY - 10 + BY))), cursor at ($PX, $PY)"
[ $((BX - 10)) -ge -2 ] && [ $((BX - 10)) -le 2 ] && [ $((BY - 10)) -ge -2 ] && [ $((BY - 10)) -le 2 ] ||
    vt_fail "drawn pointer is not at the cursor (trim box $BOX)"

# Start a round, then click each corner cell at its physical centre.
vt_press space
sleep 1
for cell in "128 128" "896 128" "128 896" "896 896"; do
    read -r CX CY <<<"$cell"
    X=$(sx "$CX")
    Y=$(sy "$CY")
    xdotool mousemove "$((X + 200))" "$Y"
    sleep 0.2
    vt_shot "$VT_XDIR/before.png"
    xdotool mousemove "$X" "$Y"
    sleep 0.1
    vt_click 1
    xdotool mousemove "$((X + 200))" "$Y"
    G="$((PW * 150 / 1280))x$((PH * 150 / 1024))+$(sx $((CX - 75)))+$(sy $((CY - 75)))"
    for _ in $(seq 1 25); do
        sleep 0.2
        vt_shot "$VT_XDIR/after.png"
        CHANGED=$(vt_diff "$VT_XDIR/before.png" "$VT_XDIR/after.png" "$G")
        [ "$CHANGED" -gt 100 ] && break
    done
    echo "cell at ($CX, $CY): $CHANGED pixels changed"
    [ "$CHANGED" -gt 100 ] || vt_fail "click at the centre of cell ($CX, $CY) did not change it"
done

if [ "$MODE" = fullscreen ]; then
    xdotool keydown alt
    vt_press Return
    xdotool keyup alt
    read -r NX NY NW NH <<<"$NATURAL"
    wait_size "$NW" "$NH"
    [ "$WX $WY" = "$NX $NY" ] || vt_fail "the window came back at ($WX, $WY), not ($NX, $NY)"
    wait_kept "fullscreen = no" "the window's return not kept"
    echo "back in the window at ($WX, $WY), $WW x $WH"
fi

vt_quit_with_escape
