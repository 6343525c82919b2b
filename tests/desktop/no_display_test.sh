#!/usr/bin/env bash
# Started where there is no display, the game says so in one line on standard
# error and exits with code 1, promptly and without starting anything else.
# Usage: no_display_test.sh BUILD_DIR
set -uo pipefail
cd "$1"
ERR=$(mktemp)
trap 'rm -f "$ERR"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY ASAN_OPTIONS="${ASAN_OPTIONS:-}" timeout 20 ./vantorel 2>"$ERR" >/dev/null
CODE=$?
cat "$ERR"
[ "$CODE" -eq 1 ] || { echo "FAIL: exit code $CODE, want 1"; exit 1; }
[ "$(wc -l <"$ERR")" -eq 1 ] || { echo "FAIL: want exactly one line on standard error"; exit 1; }
grep -q "window could not be created" "$ERR" || { echo "FAIL: the line does not say what went wrong"; exit 1; }
echo "PASS"
