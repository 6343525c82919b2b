#!/usr/bin/env bash
# debsrc-list.sh — prints a one-line-style apt sources list with a deb-src
# entry for every enabled binary source of this machine's own apt setup
# (sources.list and sources.list.d, both the one-line and the deb822 format),
# so that source packages come from the same archive and suite as the
# installed system. Nothing on the system is changed.
# Limits: only suites of this release (its codename and codename-*) are kept,
# so third-party repositories that publish no sources are left out; options
# other than signed-by are dropped.
# Depends on: awk, /etc/os-release.
# Usage: debsrc-list.sh [apt etc dir (default /etc/apt)]
set -euo pipefail

etc="${1:-/etc/apt}"
# shellcheck disable=SC1091
codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
if [ -z "$codename" ]; then
    echo "debsrc-list: no VERSION_CODENAME in /etc/os-release" >&2
    exit 1
fi

one_line_files=()
deb822_files=()
[ -f "$etc/sources.list" ] && one_line_files+=("$etc/sources.list")
for f in "$etc"/sources.list.d/*.list; do [ -f "$f" ] && one_line_files+=("$f"); done
for f in "$etc"/sources.list.d/*.sources; do [ -f "$f" ] && deb822_files+=("$f"); done

{
    if [ ${#one_line_files[@]} -gt 0 ]; then
        # deb [options] uri suite components...
        awk '
            /^[ \t]*deb[ \t]/ {
                signed = ""; i = 2
                if ($2 ~ /^\[/) {
                    opts = ""
                    for (; i <= NF; i++) { opts = opts " " $i; if ($i ~ /\]$/) { i++; break } }
                    if (match(opts, /signed-by=[^ \]]+/)) signed = substr(opts, RSTART, RLENGTH)
                }
                line = "deb-src" (signed != "" ? " [" signed "]" : "")
                for (; i <= NF && $i !~ /^#/; i++) line = line " " $i
                print line
            }' "${one_line_files[@]}"
    fi
    if [ ${#deb822_files[@]} -gt 0 ]; then
        # Paragraphs of "Field: value"; a paragraph ends at a blank line or at
        # the end of a file. Continuation lines (an embedded key) are skipped:
        # only a key file path is carried over.
        awk '
            function flush(   n, u, s, us, ss, i, j, line) {
                if (types ~ /(^|[ \t])deb([ \t]|$)/ && tolower(enabled) != "no" && uris != "" && suites != "") {
                    n = split(uris, us, /[ \t]+/)
                    s = split(suites, ss, /[ \t]+/)
                    for (i = 1; i <= n; i++) for (j = 1; j <= s; j++) {
                        if (us[i] == "" || ss[j] == "") continue
                        line = "deb-src"
                        if (signed != "" && signed !~ /^-/) line = line " [signed-by=" signed "]"
                        print line " " us[i] " " ss[j] " " comps
                    }
                }
                types = ""; uris = ""; suites = ""; comps = ""; signed = ""; enabled = ""
            }
            FNR == 1 && NR != 1 { flush() }
            /^[ \t]*$/ { flush(); next }
            /^#/ || /^[ \t]/ { next }
            {
                field = tolower($1); sub(/:$/, "", field)
                value = $0; sub(/^[^:]*:[ \t]*/, "", value)
                if (field == "types") types = value
                else if (field == "uris") uris = value
                else if (field == "suites") suites = value
                else if (field == "components") comps = value
                else if (field == "signed-by") signed = value
                else if (field == "enabled") enabled = value
            }
            END { flush() }' "${deb822_files[@]}"
    fi
} | awk -v codename="$codename" '
    # Keep entries whose suite is this release (codename or codename-*).
    {
        i = 2
        if ($2 ~ /^\[/) i = 3
        suite = $(i + 1)
        if (suite == codename || index(suite, codename "-") == 1) if (!seen[$0]++) print
    }'
