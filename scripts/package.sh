#!/usr/bin/env bash
# package.sh — builds the Debian package build/deb/vantorel_<version>_<arch>.deb
# the Debian way (dpkg-buildpackage with debian/, Debian's build flags, no
# tests or benchmarks) and checks it with lintian: no error, no warning.
# dpkg-buildpackage writes into the parent of the source tree, so the build
# runs in a copy of the sources under build/deb/. Nothing is rebuilt while the
# sources are as they were when the package was last built. Prints the
# package's path last.
# Depends on: dpkg-dev, debhelper, lintian and the build dependencies in
# debian/control.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build/deb"

# The package's version and date are the project's own.
version=$(sed -n 's/^project(vantorel VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
released=$(sed -n 's/^set(VANTOREL_RELEASE_DATE \([0-9-]*\)).*/\1/p' "$root/CMakeLists.txt")
changelog_version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
changelog_date=$(date -u -d "$(dpkg-parsechangelog -l "$root/debian/changelog" -S Date)" +%F)
if [ "$changelog_version" != "$version" ] || [ "$changelog_date" != "$released" ]; then
    echo "error: debian/changelog has $changelog_version of $changelog_date;" \
         "the project is $version of $released (CMakeLists.txt)" >&2
    exit 1
fi

deb="$out/vantorel_${version}_$(dpkg --print-architecture).deb"
sources() {
    find "$root" -mindepth 1 \( -path "$root/build" -o -path "$root/build-*" -o -path "$root/.git" \) -prune \
        -o -type f -print
}
# The copy's time stamp, not the package's, tells what changed: a source
# changed while the package was being built is newer than the copy.
copied="$out/copied"
if [ ! -f "$deb" ] || [ ! -f "$copied" ] ||
   [ -n "$(sources | while read -r f; do [ "$f" -nt "$copied" ] && echo "$f"; done | head -1)" ]; then
    rm -rf "$out"
    mkdir -p "$out/vantorel-$version"
    touch "$copied"
    tar -C "$root" --exclude=./build --exclude='./build-*' --exclude=./.git -cf - . |
        tar -C "$out/vantorel-$version" -xf -
    (cd "$out/vantorel-$version" &&
        DEB_BUILD_OPTIONS="parallel=$(nproc 2>/dev/null || echo 2) ${DEB_BUILD_OPTIONS:-}" \
        dpkg-buildpackage -us -uc -b >"$out/build.log" 2>&1) || {
        tail -n 40 "$out/build.log" >&2
        echo "error: dpkg-buildpackage failed (whole log: $out/build.log)" >&2
        exit 1
    }
fi
status=0
report=$(lintian --fail-on error,warning "$deb" 2>&1) || status=$?
grep -v "root privileges is not recommended" <<<"$report" >&2 || true
[ "$status" -eq 0 ] || { echo "error: lintian rejects $deb" >&2; exit 1; }
echo "$deb"
