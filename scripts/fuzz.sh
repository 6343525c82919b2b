#!/usr/bin/env bash
# scripts/fuzz.sh [SECONDS [NAME...]] — builds build/fuzz (clang, libFuzzer
# under AddressSanitizer and UndefinedBehaviorSanitizer) and runs each fuzz
# target (or the ones named: png effect riff scores settings round) for SECONDS
# (default 600), one after the other. Each target starts from its seeds
# (DATA's files, tests/fuzz/seeds/) and keeps what it finds in
# build/fuzz/corpus/NAME, so that runs build on each other. Prints each
# target's executions; stops at the first finding, whose input is kept as
# build/fuzz/NAME-crash-* (rerun it with build/fuzz/tests/fuzz/NAME_fuzz FILE).
# ./test sources this file and runs every target 20 s.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

VT_FUZZ_TARGETS=(png effect riff scores settings round)

# vt_fuzz_seeds <name>: the seed files of a target.
vt_fuzz_seeds() {
    local data="$VT_ROOT/build/DATA" seeds="$VT_ROOT/tests/fuzz/seeds"
    case "$1" in
    png) echo "$data/number.png" "$data/mouse/MousePointer.png" "$data/mouse/PointRotate.png" ;;
    effect) echo "$data/SHADER/2D.fx" "$data/SHADER/3DEx.fx" ;;
    riff) echo "$data"/Sound/SE/*.wav ;;
    *) echo "$seeds/$1"/* ;;
    esac
}

vt_fuzz_build() {
    [ -d "$VT_ROOT/build/DATA" ] || vt_build_game
    CC=clang CXX=clang++ vt_configure "$VT_ROOT/build/fuzz" -DCMAKE_BUILD_TYPE=Debug -DVANTOREL_WERROR=ON \
        -DVANTOREL_TESTS=ON -DVANTOREL_BENCH=OFF -DVANTOREL_SANITIZE=ON -DVANTOREL_TSAN=OFF -DVANTOREL_FUZZ=ON
    cmake --build "$VT_ROOT/build/fuzz" -j "$(vt_jobs)" --target "${VT_FUZZ_TARGETS[@]/%/_fuzz}"
}

# vt_fuzz_run <name> <seconds>: one target; prints its executions, and on a
# finding the end of its log; fails on a finding.
vt_fuzz_run() {
    local name="$1" seconds="$2" code=0
    local corpus="$VT_ROOT/build/fuzz/corpus/$name" log="$VT_ROOT/build/fuzz/${name}_fuzz.log"
    mkdir -p "$corpus"
    local seed
    for seed in $(vt_fuzz_seeds "$name"); do
        [ -e "$corpus/${seed##*/}" ] || cp "$seed" "$corpus/"
    done
    ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
        "$VT_ROOT/build/fuzz/tests/fuzz/${name}_fuzz" -max_total_time="$seconds" -max_len=65536 \
        -print_final_stats=1 -artifact_prefix="$VT_ROOT/build/fuzz/${name}-" "$corpus" > "$log" 2>&1 || code=$?
    if [ "$code" -ne 0 ]; then
        tail -n 60 "$log"
        echo "fuzz: ${name}_fuzz found a fault (exit code $code, log: $log)" >&2
        return 1
    fi
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz: ${name}_fuzz: ${runs:-?} executions in ${seconds} s, corpus $(ls "$corpus" | wc -l) files, no finding"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    seconds="${1:-600}"
    shift || true
    [ $# -gt 0 ] || set -- "${VT_FUZZ_TARGETS[@]}"
    vt_fuzz_build
    for name in "$@"; do vt_fuzz_run "$name" "$seconds"; done
fi
