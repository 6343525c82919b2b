#!/usr/bin/env bash
# deps.sh — SDL2, libogg, libvorbis (with vorbisfile), zlib and libpng as
# static WebAssembly libraries for Emscripten, built from Debian's own source
# packages (fetched through the private apt configuration of
# scripts/debian-sources.sh, kept in the deps folder). SDL is built without
# threads, so that the page needs no cross-origin isolation. Each library is
# built once and kept; delete the deps folder to build them again.
# Depends on: emscripten, apt-get, dpkg-source (dpkg-dev), make, autotools-dev.
# Usage: deps.sh <deps folder>
set -euo pipefail

deps="$(mkdir -p "$1" && cd "$1" && pwd)"
sources="$deps/src"
mkdir -p "$sources"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../debian-sources.sh
source "$here/../debian-sources.sh"
# shellcheck source=env.sh
source "$here/env.sh"
jobs="$(nproc 2>/dev/null || echo 2)"
cflags="-O2"
host=wasm32-unknown-emscripten
packages=(zlib libpng1.6 libogg libvorbis libsdl2)

# build <source package> <configure options...>: out of tree (zlib in a copy
# of its tree), installed into $deps.
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
    echo "deps: building $pkg for the browser"
    (
        cd "$work" &&
            if [ "$pkg" = zlib ]; then
                # zlib's own configure script is not autoconf's: no --host.
                cp -a "$src/." . && CFLAGS="$cflags" emconfigure ./configure --static --prefix="$deps"
            else
                # Older trees' config.sub knows no Emscripten: Debian's own
                # builds put the system's newer one in first, and so does this.
                find "$src" \( -name config.sub -o -name config.guess \) -exec sh -c \
                    'cp "/usr/share/misc/$(basename "$1")" "$1"' sh {} \; &&
                    emconfigure "$src/configure" -q --host="$host" --prefix="$deps" --disable-shared \
                        --enable-static CFLAGS="$cflags" CPPFLAGS="-I$deps/include" LDFLAGS="-L$deps/lib" \
                        PKG_CONFIG_LIBDIR="$deps/lib/pkgconfig" "$@"
            fi &&
            # The packages' own Debian patches may touch autotools inputs;
            # their shipped configure already carries them, so no
            # regeneration is run.
            emmake make -s -j "$jobs" ACLOCAL=true AUTOCONF=true AUTOMAKE=true AUTOHEADER=true &&
            emmake make -s install ACLOCAL=true AUTOCONF=true AUTOMAKE=true AUTOHEADER=true
    ) > "$deps/build/$pkg.log" 2>&1 || {
        tail -n 40 "$deps/build/$pkg.log" >&2
        echo "deps: building $pkg failed (full log: $deps/build/$pkg.log)" >&2
        return 1
    }
    touch "$stamp"
}

vt_fetch_sources "$deps/apt" "$sources" "${packages[@]}"
build zlib
build libpng1.6 --disable-tools --disable-hardware-optimizations
build libogg
build libvorbis --disable-docs --disable-examples --disable-oggtest --with-ogg="$deps"
# No threads, no assembly, no CPU probing: none exists in a plain browser page.
build libsdl2 --disable-pthreads --disable-assembly --disable-cpuinfo --disable-video-opengl \
    --disable-video-opengles --disable-video-vulkan
