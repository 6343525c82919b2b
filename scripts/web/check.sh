#!/usr/bin/env bash
# check.sh — ./test's browser part: builds the site and the replay tool for
# the browser (build.sh; the dependencies stay built in build-web/deps), plays
# the golden traces under node to the native bytes and frames
# (replay-check.sh), then plays the site in one headless Chromium session
# from a plain static server on 127.0.0.1 (tests/web/browser_check.py, which
# prints the browser benchmarks after its checks) and prints the site's size.
# VT_WEB_BENCH=0 leaves the benchmarks out.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
VT_WEB_TARGETS=vantorel-replay "$root/scripts/web/build.sh"
"$root/scripts/web/replay-check.sh"
# Debian's Python, which python3-websocket is installed for.
/usr/bin/python3 "$root/tests/web/browser_check.py" "$root/build-web/site"

site="$root/build-web/site"
gz() { local total=0 f; for f in "$@"; do total=$((total + $(gzip -9 -c "$f" | wc -c))); done; echo "$total"; }
first=$(gz "$site"/index.html "$site"/page.js "$site"/vantorel.js "$site"/vantorel.wasm "$site"/data-first.*)
whole=$(gz $(find "$site" -type f))
echo "benchmark: site size gzipped: first part (page, game, images and effects) $((first / 1024)) KiB," \
    "whole site $((whole / 1024)) KiB"
