#!/usr/bin/env bash
# debsrc_list_test.sh — the deb-src list that the Windows build's private apt
# setup derives from a machine's apt sources: one-line and deb822 entries of
# this release become deb-src entries with their key file, while disabled
# entries, source entries, comments and other releases' suites are left out.
# Usage: debsrc_list_test.sh <path of debsrc-list.sh>
set -euo pipefail

script="$1"
codename="$(. /etc/os-release && echo "$VERSION_CODENAME")"
etc="$(mktemp -d)"
trap 'rm -rf "$etc"' EXIT
mkdir -p "$etc/sources.list.d"

cat > "$etc/sources.list" <<LIST
# deb http://commented.example/debian $codename main
deb http://one.example/debian $codename main contrib # a trailing comment
deb [arch=amd64 signed-by=/keys/two.gpg] http://two.example/debian $codename-updates main
deb-src http://one.example/debian $codename main
deb http://other.example/x nodistro main
deb http://other.example/y cloud-sdk-$codename main
LIST
cat > "$etc/sources.list.d/archive.sources" <<SOURCES
Types: deb deb-src
URIs: http://three.example/debian
Suites: $codename $codename-security
Components: main non-free-firmware
Signed-By: /keys/three.gpg

Types: deb
Enabled: no
URIs: http://disabled.example/debian
Suites: $codename
Components: main
SOURCES
cat > "$etc/sources.list.d/last.sources" <<SOURCES
Types: deb
URIs: http://four.example/debian
Suites: $codename
Components: main
SOURCES
echo "deb http://ignored.example/debian $codename main" > "$etc/sources.list.d/old.list.disabled"

expected="deb-src http://one.example/debian $codename main contrib
deb-src [signed-by=/keys/two.gpg] http://two.example/debian $codename-updates main
deb-src [signed-by=/keys/three.gpg] http://three.example/debian $codename main non-free-firmware
deb-src [signed-by=/keys/three.gpg] http://three.example/debian $codename-security main non-free-firmware
deb-src http://four.example/debian $codename main"

actual="$("$script" "$etc")"
if [ "$actual" != "$expected" ]; then
    echo "wanted:"; echo "$expected"; echo "got:"; echo "$actual"
    exit 1
fi

# No usable entry at all gives an empty list, which the caller refuses.
rm -f "$etc/sources.list" "$etc"/sources.list.d/*
[ -z "$("$script" "$etc")" ]
echo "debsrc-list: ok"
