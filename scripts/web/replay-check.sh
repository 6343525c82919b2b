#!/usr/bin/env bash
# replay-check.sh — the rules to the bit in the browser's WebAssembly: the
# replay tool built with emcc (build-web/game, by build.sh) plays every golden
# trace under node with the seeds tests/replay/CMakeLists.txt gives it, and
# its trace must equal the golden file byte for byte; the frames it writes
# of one script must equal the native tool's (build/) pixel for pixel.
# Run after build.sh with VT_WEB_TARGETS=vantorel-replay; DATA is build/'s.
# Usage: replay-check.sh
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# shellcheck source=env.sh
source "$root/scripts/web/env.sh"
tool="$root/build-web/game/vantorel-replay.js"
native="$root/build/vantorel-replay"
work="$root/build-web/replay"
rm -rf "$work"
mkdir -p "$work"
read -r -a node <<< "$VT_WEB_NODE_CMD"

# name, field seed, scene seed, from the golden cases' list.
cases="$(awk '/^set\(REPLAY_GOLDEN_CASES/ { inside = 1; next }
              inside && /\)/ { sub(/\).*/, ""); if (NF) print; inside = 0; next }
              inside && NF { print }' "$root/tests/replay/CMakeLists.txt")"
[ -n "$cases" ] || { echo "replay-check: no golden cases found" >&2; exit 1; }
failed=0
while read -r name field scene; do
    (cd "$root/build" && "${node[@]}" "$tool" --seed-field "$field" --seed-scene "$scene" \
        --script "$root/tests/replay/$name.txt" --trace "$work/$name.jsonl") 2> "$work/$name.log" ||
        { cat "$work/$name.log" >&2; echo "FAILED: $name under node" >&2; failed=1; continue; }
    if cmp -s "$work/$name.jsonl" "$root/tests/replay/$name.jsonl"; then
        echo "ok: $name: the WebAssembly build's trace equals the golden trace"
    else
        echo "FAILED: $name: the WebAssembly build's trace differs from the golden trace" >&2
        failed=1
    fi
done <<< "$cases"

# Frames: an ordinary tick, the first drawn after a stall, a clear's.
frames=(--seed-field 3 --seed-scene 4 --script "$root/tests/replay/stall_and_slow_motion.txt" --frame-at 5,15,20)
(cd "$root/build" && "$native" "${frames[@]}" --trace "$work/native.jsonl" --frames "$work/native-frames") \
    > /dev/null
(cd "$root/build" && "${node[@]}" "$tool" "${frames[@]}" --trace "$work/web.jsonl" --frames "$work/web-frames") \
    2> "$work/frames.log" || { cat "$work/frames.log" >&2; exit 1; }
for png in "$work"/native-frames/*.png; do
    other="$work/web-frames/$(basename "$png")"
    if [ -f "$other" ] && { cmp -s "$png" "$other" ||
        [ "$(compare -metric AE "$png" "$other" null: 2>&1 || true)" = 0 ]; }; then
        echo "ok: frame $(basename "$png"): the WebAssembly build's equals the native one"
    else
        echo "FAILED: frame $(basename "$png") differs between the WebAssembly and the native build" >&2
        failed=1
    fi
done
[ -n "$(ls "$work"/native-frames/*.png 2>/dev/null)" ] || { echo "FAILED: no frames written" >&2; failed=1; }
exit "$failed"
