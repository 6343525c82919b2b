#!/usr/bin/env bash
# vantorel --verify FILE, without a display: the round file verifies (exit 0,
# its one line on standard output, nothing on standard error: a round played
# with no device loads and says nothing), and every changed, cut, missing or
# unreadable copy is caught with its exit code.
# Usage: verify_test.sh BUILD_DIR ROUND_FILE
set -uo pipefail
build="$1"
round="$(realpath "$2")"
work="$(mktemp -d)"
trap 'chmod -R u+rwx "$work"; rm -rf "$work"' EXIT
failures=0

read -r score chain <<< "$(sed -n 's/^claim \([0-9]*\) \([0-9]*\)$/\1 \2/p' "$round")"
[ -n "${chain:-}" ] || { echo "FAIL: $round has no claim line"; exit 1; }
reached="score $score chain $chain"
verified="$reached \\(file claims $score chain $chain\\): verified"

# verify NAME FILE CODE OUT_PATTERN ERR_PATTERN: runs --verify FILE without a
# display; wants exit code CODE, standard output matching OUT_PATTERN (a
# whole-line extended regex, or empty for none) and standard error matching
# ERR_PATTERN likewise.
verify() {
    local name="$1" file="$2" want="$3" out_pattern="$4" err_pattern="$5" code
    env -u DISPLAY -u WAYLAND_DISPLAY timeout 60 "$build/vantorel" --verify "$file" \
        > "$work/out" 2> "$work/err"
    code=$?
    local problem=""
    [ "$code" -eq "$want" ] || problem="exit code $code, want $want"
    if [ -z "$out_pattern" ]; then [ ! -s "$work/out" ] || problem="$problem; standard output not empty"
    elif [ "$(wc -l < "$work/out")" -ne 1 ] || ! grep -qxE "$out_pattern" "$work/out"; then
        problem="$problem; standard output is not one line /$out_pattern/"
    fi
    if [ -z "$err_pattern" ]; then [ ! -s "$work/err" ] || problem="$problem; standard error not empty"
    elif [ "$(wc -l < "$work/err")" -ne 1 ] || ! grep -qxE "$err_pattern" "$work/err"; then
        problem="$problem; standard error is not one line /$err_pattern/"
    fi
    if [ -n "$problem" ]; then
        echo "FAIL: $name: ${problem#; }"
        sed 's/^/  out: /' "$work/out"
        sed 's/^/  err: /' "$work/err"
        failures=$((failures + 1))
    else
        echo "ok: $name: $(cat "$work/out" "$work/err")"
    fi
}

# The copies. Claim raised: the score one higher, then the chain one higher.
sed "s/^claim .*/claim $((score + 1)) $chain/" "$round" > "$work/score_raised.txt"
sed "s/^claim .*/claim $score $((chain + 1))/" "$round" > "$work/chain_raised.txt"
# A click moved: the first click on cell (1, 1) goes to cell (3, 3).
sed '0,/ mouse 384 384$/s// mouse 896 896/' "$round" > "$work/click_moved.txt"
# Cut: the first half of the file (the header and the first clicks), and
# inside the header (before the claim).
head -n "$(($(wc -l < "$round") / 2))" "$round" > "$work/cut_in_half.txt"
head -n 3 "$round" > "$work/cut_in_header.txt"
sed 's/^rules .*/rules 999/' "$round" > "$work/other_rules.txt"
ln -s "$round" "$work/link.txt"
mkdir "$work/folder"
head -c 2000000 /dev/zero | tr '\0' '#' > "$work/huge.txt"
cp "$round" "$work/unreadable.txt"
chmod 000 "$work/unreadable.txt"

mismatch="score [0-9]+ chain [0-9]+ \\(file claims [0-9]+ chain [0-9]+\\): does not match"
cannot="vantorel: cannot verify '$work/"
verify "the round file" "$round" 0 "$verified" ""
verify "through a link" "$work/link.txt" 0 "$verified" ""
verify "the claimed score raised" "$work/score_raised.txt" 1 \
    "$reached \\(file claims $((score + 1)) chain $chain\\): does not match" ""
verify "the claimed chain raised" "$work/chain_raised.txt" 1 \
    "$reached \\(file claims $score chain $((chain + 1))\\): does not match" ""
verify "a click moved" "$work/click_moved.txt" 1 "$mismatch" ""
verify "cut in half" "$work/cut_in_half.txt" 1 "$mismatch" ""
verify "cut inside its header" "$work/cut_in_header.txt" 2 "" "${cannot}cut_in_header.txt': .+"
verify "of other rules" "$work/other_rules.txt" 2 "" "${cannot}other_rules.txt': .*rules.*"
verify "a missing file" "$work/missing.txt" 2 "" "${cannot}missing.txt': no such file"
verify "a folder" "$work/folder" 2 "" "${cannot}folder': it is a folder"
verify "a file over the size limit" "$work/huge.txt" 2 "" "${cannot}huge.txt': it is larger than .*too large.*"
# Root reads any file: the unreadable copy is then no test.
if [ "$(id -u)" -ne 0 ]; then
    verify "an unreadable file" "$work/unreadable.txt" 2 "" "${cannot}unreadable.txt': it cannot be read .*"
fi

[ "$failures" -eq 0 ] || { echo "FAIL: $failures case(s)"; exit 1; }
echo "PASS"
