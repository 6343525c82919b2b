#!/usr/bin/env bash
# whole_game.sh [BENCH_TREE] — the whole-game benchmark: the real game in a
# private Xvfb (1600 × 1200, no GPU), 10 s waiting for Space and a 60 s round
# played through XTEST input (xdotool), once as shipped and once with every
# frame redrawn and presented whole. Prints for each: the game process's
# processor use (% of one core) while waiting and over the round, frames
# presented per second against the 59.88 ticks per second the clock draws,
# resident memory (peak and at the end), and the time from starting the
# process to the first presented frame (and from main to it). The figures
# are for reading, not pass or fail: the run fails only when the game does
# (no window, no frame, an early end or an exit code other than 0).
# BENCH_TREE is a tree built with benchmarks (default build/bench): its
# bench/vantorel-bench and DATA.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build/bench}" && pwd)"
GAME="$BUILD/bench/vantorel-bench"
[ -x "$GAME" ] || { echo "build the target vantorel-bench first ($GAME)"; exit 1; }
[ -d "$BUILD/DATA" ] || { echo "no DATA in $BUILD: build the target vantorel-data there first"; exit 1; }
source "$ROOT/tests/support/x11.sh"

TICK=$(getconf CLK_TCK)
# game_failed WHAT: the game did not do its part; shows the end of what it
# wrote to its debug trace and ends the benchmark.
game_failed() {
    echo "$label: $*" >&2
    if [ -s "${VT_XDIR:-}/game.err" ]; then tail -n 20 "$VT_XDIR/game.err" >&2; fi
    exit 1
}
# cpu_ticks: the game's user and system time so far, in clock ticks.
cpu_ticks() {
    awk '{print $14 + $15}' "/proc/$VT_GAME_PID/stat" 2>/dev/null || game_failed "the game ended early"
}
now() { echo "$EPOCHREALTIME"; }
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
    label="$1"
    shift
    vt_start_xvfb 1600x1200 || { echo "no X server: skipped"; exit 0; }
    local out="$VT_XDIR/game.out"
    # Best scores go to the scratch folder, never the home folder.
    local start
    start=$(now)
    (cd "$BUILD" && exec "$GAME" "$@" --scores-dir "$VT_XDIR/scores" >"$out" 2>"$VT_XDIR/game.err") &
    VT_GAME_PID=$!
    vt_wait_window "Vantorel" >/dev/null || game_failed "no window"
    xdotool mousemove 1150 950
    local c0 t0 c1 t1 c2 t2
    c0=$(cpu_ticks); t0=$(now)
    sleep 10
    c1=$(cpu_ticks); t1=$(now)
    play_round
    c2=$(cpu_ticks); t2=$(now)
    local peak rss
    peak=$(awk '/VmHWM/ {print $2}' "/proc/$VT_GAME_PID/status")
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$VT_GAME_PID/status")
    xdotool key Escape
    for _ in $(seq 1 100); do kill -0 "$VT_GAME_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$VT_GAME_PID" 2>/dev/null && game_failed "still running 10 s after Escape"
    local code=0 end
    wait "$VT_GAME_PID" || code=$?
    end=$(now)
    VT_GAME_PID=""
    [ "$code" -eq 0 ] || game_failed "the game ended with exit code $code"
    # "presented N frames; the first M ms after main, at EPOCH"
    local presented after_main first_at
    read -r presented after_main first_at < <(awk '/^presented/ {print $2, $6, $11}' "$out")
    [ "${presented:-0}" -gt 0 ] || game_failed "no frame presented"
    awk -v l="$label" -v c0="$c0" -v c1="$c1" -v c2="$c2" -v t0="$t0" -v t1="$t1" -v t2="$t2" -v hz="$TICK" \
        -v p="$presented" -v m="$after_main" -v f="$first_at" -v s="$start" -v e="$end" -v peak="$peak" \
        -v rss="$rss" 'BEGIN {
        printf "%-12s waiting %5.1f %% of a core, round %5.1f %%; %5.2f frames presented per second (ticks: 59.88); resident %d MB peak, %d MB at the end; first frame %.0f ms after start (%d ms after main)\n",
            l, 100 * (c1 - c0) / hz / (t1 - t0), 100 * (c2 - c1) / hz / (t2 - t1), p / (e - f),
            peak / 1024, rss / 1024, 1000 * (f - s), m }'
    vt_stop_xvfb
}

run "as shipped"
run "full redraw" --full-redraw
