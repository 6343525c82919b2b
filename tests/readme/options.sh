#!/usr/bin/env bash
# options.sh GAME README — the options the README lists (its lines that start
# with "vantorel --") must be exactly the options the game's --help names.
set -euo pipefail
game="$1" readme="$2"
documented=$(grep -E '^vantorel --' "$readme" | grep -oE -- '--[a-z][a-z-]*' | sort -u)
offered=$("$game" --help | grep -E '^  --' | grep -oE -- '--[a-z][a-z-]*' | sort -u)
[ -n "$offered" ] || { echo "options.sh: $game --help names no option" >&2; exit 1; }
if [ "$documented" != "$offered" ]; then
    echo "options.sh: the README and --help differ (< README, > --help):" >&2
    diff <(echo "$documented") <(echo "$offered") >&2 || true
    exit 1
fi
echo "options.sh: $(echo "$offered" | wc -l) options, documented as offered"
