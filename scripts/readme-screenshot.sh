#!/usr/bin/env bash
# Renders the game's first frames headless (the replay tool, fixed seeds,
# the pointer over the board) and writes the README's picture
# docs/screenshot.png. Usage: scripts/readme-screenshot.sh [BUILD_DIR [OUTPUT]]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
output="${2:-$root/docs/screenshot.png}"
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
printf '1 mouse 700 560\n' | "$build/vantorel-replay" --seed-field 3 --seed-scene 1 --ticks 3 \
    --frames "$frames" --frame-at 2 >/dev/null
cp "$frames/tick-000002.png" "$output"
