#!/usr/bin/env bash
# deps.sh — libogg, libvorbis and libvorbisfile as static libraries for a
# mingw-w64 target, built from Debian's own source packages (fetched through
# the private apt configuration of scripts/debian-sources.sh, kept in the deps
# folder). Each step is skipped when its result is already there.
# Depends on: apt-get, dpkg-source (dpkg-dev), make, the mingw-w64 compilers.
# Usage: deps.sh <deps folder> <target triple> [<sources folder>]
# (the sources folder defaults to <deps folder>/src; builds for several
# targets can share one)
set -euo pipefail

deps="$(mkdir -p "$1" && cd "$1" && pwd)"
triple="$2"
sources="$(mkdir -p "${3:-$deps/src}" && cd "${3:-$deps/src}" && pwd)"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../debian-sources.sh
source "$here/../debian-sources.sh"
packages=(libogg libvorbis)

cflags="-O2"
# Floats round to single precision as the game's own code does.
[ "$triple" = i686-w64-mingw32 ] && cflags="$cflags -msse2 -mfpmath=sse"

# build <package> <configure options...>: out of tree, installed into $deps.
build() {
    local pkg="$1"
    shift
    local stamp="$deps/.built-$pkg"
    [ -f "$stamp" ] && return 0
    local src work
    src="$(vt_source_dir "$sources" "$pkg")"
    work="$deps/build/$pkg"
    rm -rf "$work"
    mkdir -p "$work"
    echo "deps: building $pkg for $triple"
    # Chained with &&: errexit does not hold inside a command list that
    # ends in ||, so a failed step would otherwise go on to the next.
    (
        cd "$work" &&
            "$src/configure" -q --host="$triple" --prefix="$deps" --disable-shared --enable-static \
                CC="$triple-gcc-win32" CFLAGS="$cflags" PKG_CONFIG_LIBDIR="$deps/lib/pkgconfig" "$@" &&
            # The packages' own Debian patches may touch autotools inputs;
            # their shipped configure already carries them, so no
            # regeneration is run.
            make -s -j "$(nproc 2>/dev/null || echo 2)" ACLOCAL=true AUTOCONF=true AUTOMAKE=true AUTOHEADER=true &&
            make -s install ACLOCAL=true AUTOCONF=true AUTOMAKE=true AUTOHEADER=true
    ) > "$deps/build/$pkg.log" 2>&1 || {
        tail -n 40 "$deps/build/$pkg.log" >&2
        echo "deps: building $pkg failed (full log: $deps/build/$pkg.log)" >&2
        return 1
    }
    touch "$stamp"
}

vt_fetch_sources "$deps/apt" "$sources" "${packages[@]}"
build libogg
build libvorbis --disable-docs --disable-examples --disable-oggtest --with-ogg="$deps"
