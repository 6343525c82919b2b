#!/usr/bin/env bash
# deps.sh — libogg, libvorbis and libvorbisfile as static libraries for a
# mingw-w64 target, built from Debian's own source packages. The sources are
# fetched with `apt-get source` through a private apt configuration kept in
# the deps folder (its own deb-src list derived from this machine's apt
# sources, its own package lists and cache); the system's apt setup is never
# touched. Each step is skipped when its result is already there.
# Depends on: apt-get, dpkg-source (dpkg-dev), make, the mingw-w64 compilers.
# Usage: deps.sh <deps folder> <target triple> [<sources folder>]
# (the sources folder defaults to <deps folder>/src; builds for several
# targets can share one)
set -euo pipefail

deps="$(mkdir -p "$1" && cd "$1" && pwd)"
triple="$2"
sources="$(mkdir -p "${3:-$deps/src}" && cd "${3:-$deps/src}" && pwd)"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
packages=(libogg libvorbis)

cflags="-O2"
# Floats round to single precision as the game's own code does.
[ "$triple" = i686-w64-mingw32 ] && cflags="$cflags -msse2 -mfpmath=sse"

private_apt() {
    local apt="$deps/apt"
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/sources.list.d"
    "$here/debsrc-list.sh" > "$apt/sources.list"
    if [ ! -s "$apt/sources.list" ]; then
        echo "deps: found no Debian archive in this machine's apt sources" >&2
        return 1
    fi
    cat > "$apt/apt.conf" <<EOF
Dir::Etc::SourceList "$apt/sources.list";
Dir::Etc::SourceParts "$apt/sources.list.d";
Dir::State::Lists "$apt/lists";
Dir::Cache "$apt/cache";
APT::Sandbox::User "$(id -un)";
Acquire::Languages "none";
EOF
    export APT_CONFIG="$apt/apt.conf"
}

source_dir() {
    find "$sources" -mindepth 1 -maxdepth 1 -type d -name "$1-[0-9]*" | sort | tail -n 1
}

fetch_sources() {
    local missing=() pkg
    for pkg in "${packages[@]}"; do
        [ -n "$(source_dir "$pkg")" ] || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    private_apt
    echo "deps: fetching the sources of ${missing[*]}"
    apt-get -qq update
    (cd "$sources" && apt-get -qq source "${missing[@]}")
}

# build <package> <configure options...>: out of tree, installed into $deps.
build() {
    local pkg="$1"
    shift
    local stamp="$deps/.built-$pkg"
    [ -f "$stamp" ] && return 0
    local src work
    src="$(source_dir "$pkg")"
    work="$deps/build/$pkg"
    rm -rf "$work"
    mkdir -p "$work"
    echo "deps: building $pkg for $triple"
    (
        cd "$work"
        "$src/configure" -q --host="$triple" --prefix="$deps" --disable-shared --enable-static \
            CC="$triple-gcc-win32" CFLAGS="$cflags" PKG_CONFIG_LIBDIR="$deps/lib/pkgconfig" "$@"
        # The packages' own Debian patches may touch autotools inputs; their
        # shipped configure already carries them, so no regeneration is run.
        make -s -j "$(nproc 2>/dev/null || echo 2)" ACLOCAL=true AUTOCONF=true AUTOMAKE=true AUTOHEADER=true
        make -s install ACLOCAL=true AUTOCONF=true AUTOMAKE=true AUTOHEADER=true
    ) > "$deps/build/$pkg.log" 2>&1 || {
        tail -n 40 "$deps/build/$pkg.log" >&2
        echo "deps: building $pkg failed (full log: $deps/build/$pkg.log)" >&2
        return 1
    }
    touch "$stamp"
}

fetch_sources
build libogg
build libvorbis --disable-docs --disable-examples --disable-oggtest --with-ogg="$deps"
