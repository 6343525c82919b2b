#!/usr/bin/env bash
# The real game on a real X screen of the given size: the window fits the
# screen with the game's 5:4 shape, a click at the physical centre of each
# corner cell changes that cell, and the drawn pointer's top-left corner is
# at the physical cursor.
# Usage: window_fit_test.sh BUILD_DIR WIDTHxHEIGHT
set -uo pipefail
BUILD="$1"
SCREEN="$2"
source "$(dirname "$0")/../support/x11.sh"
source "$BUILD/version.sh"

vt_start_xvfb "$SCREEN" || exit $?
SW=${SCREEN%x*}
SH=${SCREEN#*x}
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

# Client pixel (x, y) of the 1280 × 1024 picture → screen pixel.
sx() { echo $((WX + $1 * WW / 1280)); }
sy() { echo $((WY + $1 * WH / 1024)); }

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
    G="$((WW * 150 / 1280))x$((WH * 150 / 1024))+$(sx $((CX - 75)))+$(sy $((CY - 75)))"
    for _ in $(seq 1 25); do
        sleep 0.2
        vt_shot "$VT_XDIR/after.png"
        CHANGED=$(vt_diff "$VT_XDIR/before.png" "$VT_XDIR/after.png" "$G")
        [ "$CHANGED" -gt 100 ] && break
    done
    echo "cell at ($CX, $CY): $CHANGED pixels changed"
    [ "$CHANGED" -gt 100 ] || vt_fail "click at the centre of cell ($CX, $CY) did not change it"
done

vt_quit_with_escape
