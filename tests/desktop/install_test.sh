#!/usr/bin/env bash
# Installs the game into a temporary prefix, checks the desktop entry with
# desktop-file-validate, passes a relative --scores-dir and --export-round
# FILE through the launcher, starts the installed launcher from another
# folder on a real X screen, and requires the board on screen and exit code 0
# after Escape.
# Usage: install_test.sh BUILD_DIR
set -uo pipefail
BUILD="$1"
source "$(dirname "$0")/../support/x11.sh"
source "$BUILD/version.sh"

PREFIX=$(mktemp -d)
trap 'rm -rf "$PREFIX"; vt_stop_xvfb' EXIT
cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null || vt_fail "cmake --install failed"
for f in bin/vantorel libexec/vantorel/vantorel share/vantorel/DATA/PuzzleField/peace.png \
         share/applications/$VT_APP_ID.desktop share/icons/hicolor/256x256/apps/$VT_APP_ID.png \
         share/icons/hicolor/16x16/apps/$VT_APP_ID.png share/metainfo/$VT_APP_ID.metainfo.xml \
         share/man/man6/vantorel.6; do
    [ -e "$PREFIX/$f" ] || vt_fail "not installed: $f"
done
desktop-file-validate "$PREFIX/share/applications/$VT_APP_ID.desktop" || vt_fail "desktop entry rejected"
grep -q "^Exec=$PREFIX/bin/vantorel\$" "$PREFIX/share/applications/$VT_APP_ID.desktop" || vt_fail "Exec is not the launcher"

# A relative --scores-dir names a folder from where the launcher was started,
# not from the data folder it moves to; so do the files of --export-round and
# --verify.
mkdir -p "$PREFIX/start/kept"
printf 'vantorel-scores 1\n900 1 2026-01-01 10:00:00 round=round-1.txt\n' >"$PREFIX/start/kept/scores.txt"
printf 'vantorel-round 1\n' >"$PREFIX/start/kept/round-1.txt"
(cd "$PREFIX/start" && "$PREFIX/bin/vantorel" --scores-dir kept --export-round 1 shared.txt) ||
    vt_fail "--export-round failed"
cmp -s "$PREFIX/start/kept/round-1.txt" "$PREFIX/start/shared.txt" || vt_fail "--export-round did not write FILE where the game was started"
cp "$(dirname "$0")/../verify/one_minute_round.txt" "$PREFIX/start/round.txt"
(cd "$PREFIX/start" && "$PREFIX/bin/vantorel" --verify round.txt && "$PREFIX/bin/vantorel" --verify=round.txt) ||
    vt_fail "--verify did not find FILE where the game was started"
(cd "$PREFIX/start" && "$PREFIX/bin/vantorel" --scores-dir kept --reset-scores) || vt_fail "--reset-scores failed"
[ ! -e "$PREFIX/start/kept/scores.txt" ] || vt_fail "--scores-dir kept did not reach the folder of the start"

vt_start_xvfb 1600x1200 || exit $?
trap 'rm -rf "$PREFIX"; vt_stop_xvfb' EXIT
cd /
"$PREFIX/bin/vantorel" &
VT_GAME_PID=$!
WIN=$(vt_wait_window "$VT_CAPTION") || vt_fail "no game window"
read -r WX WY WW WH <<<"$(vt_geometry "$WIN")"
# The board is drawn: the installed game found its DATA from another folder.
vt_wait_drawn "$WX" "$WY" "$WW" "$WH" || vt_fail "nothing drawn within 30 s"
vt_quit_with_escape
