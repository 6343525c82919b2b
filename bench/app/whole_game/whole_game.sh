#!/usr/bin/env bash
# whole_game.sh [BUILD_DIR] — the whole-game benchmark: the real game in a
# private Xvfb (1600 × 1200, no GPU), 10 s waiting for Space and a 60 s round
# played through XTEST input (xdotool), once as shipped and once with every
# frame redrawn and presented whole. Prints for each: the game process's
# processor use (% of one core) while waiting and over the round, frames
# presented per second against the 59.88 ticks per second the clock draws,
# resident memory (peak and at the end), and the time from start to the first
# presented frame. The figures are for reading, not pass or fail.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
GAME="$BUILD/bench/vantorel-bench"
[ -x "$GAME" ] || { echo "build the target vantorel-bench first ($GAME)"; exit 1; }
source "$ROOT/tests/support/x11.sh"

TICK=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
now() { date +%s.%N; }
# held down|mousedown KEY: a key or button held about 80 ms, as a person does.
held() { xdotool "$1" "$2"; sleep 0.08; xdotool "${1/down/up}" "$2"; }
click() { xdotool mousemove "$1" "$2"; held mousedown "$3"; }

play_round() {
    held keydown space
    local second
    for second in $(seq 1 60); do
        local cell=$(( (second * 7) % 16 ))
        click $(( (cell / 4) * 256 + 128 )) $(( (cell % 4) * 256 + 128 )) 1
        if [ $(( second % 3 )) -eq 0 ]; then click 600 500 3; fi
        sleep 0.75
    done
}

run() {
    local label="$1"
    shift
    vt_start_xvfb 1600x1200 || { echo "no X server: skipped"; exit 0; }
    local out="$VT_XDIR/game.out"
    # Best scores go to the scratch folder, never the home folder.
    (cd "$BUILD" && exec "$GAME" "$@" --scores-dir "$VT_XDIR/scores" >"$out" 2>/dev/null) &
    VT_GAME_PID=$!
    local start
    start=$(now)
    vt_wait_window "Vantorel" >/dev/null || { echo "$label: no window"; exit 1; }
    xdotool mousemove 1150 950
    local c0 t0 c1 t1 c2 t2
    c0=$(cpu_ticks "$VT_GAME_PID"); t0=$(now)
    sleep 10
    c1=$(cpu_ticks "$VT_GAME_PID"); t1=$(now)
    play_round
    c2=$(cpu_ticks "$VT_GAME_PID"); t2=$(now)
    local peak rss
    peak=$(awk '/VmHWM/ {print $2}' "/proc/$VT_GAME_PID/status")
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$VT_GAME_PID/status")
    xdotool key Escape
    wait "$VT_GAME_PID" || true
    local end
    end=$(now)
    VT_GAME_PID=""
    local presented first
    presented=$(awk '/^presented/ {print $2}' "$out")
    first=$(awk '/^presented/ {print $6}' "$out")
    awk -v l="$label" -v c0="$c0" -v c1="$c1" -v c2="$c2" -v t0="$t0" -v t1="$t1" -v t2="$t2" -v hz="$TICK" \
        -v p="$presented" -v f="$first" -v s="$start" -v e="$end" -v peak="$peak" -v rss="$rss" 'BEGIN {
        printf "%-22s waiting %5.1f %% of a core, round %5.1f %%; %5.2f frames presented per second (ticks: 59.88); resident %d MB peak, %d MB at the end; first frame %s ms after main\n",
            l, 100 * (c1 - c0) / hz / (t1 - t0), 100 * (c2 - c1) / hz / (t2 - t1), p / (e - s - f / 1000),
            peak / 1024, rss / 1024, f }'
    vt_stop_xvfb
}

run "as shipped"
run "full redraw" --full-redraw
