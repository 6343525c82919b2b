#!/usr/bin/env bash
# build.sh — the game for a web browser, from the same code, with Debian's
# Emscripten: the dependencies (deps.sh, built once into build-web/deps), the
# game in build-web/game, and the site in build-web/site, a static folder any
# static host serves:
#   index.html, page.js      the page and its own script
#   vantorel.js, .wasm       the game
#   data-first.data, .js     DATA's images, effects and effect files (loaded
#                            before the game starts)
#   data-music.data, .js     the music tracks (loaded after the first frame)
#   icons/, manifest.webmanifest, sw.js   installable, and offline once opened
# DATA and the icons come from the Linux build (build/, built with the
# project's Release tree when missing).
#   scripts/web/build.sh            builds the site
#   scripts/web/build.sh --serve    builds it and serves it on 127.0.0.1
#                                   (VT_WEB_PORT, default 8080) until ^C
# Depends on: the packages in VT_WEB_PACKAGES (scripts/setup.sh).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
here="$root/scripts/web"
# shellcheck source=../setup.sh
source "$root/scripts/setup.sh"
serve=0
case "${1:-}" in
    "") ;;
    --serve) serve=1 ;;
    *) echo "usage: $0 [--serve]" >&2; exit 2 ;;
esac

vt_install_missing "${VT_PLAY_PACKAGES[@]}" "${VT_WEB_PACKAGES[@]}"
# shellcheck source=env.sh
source "$here/env.sh"

out="$root/build-web"
deps="$out/deps"
game="$out/game"
site="$out/site"
"$here/deps.sh" "$deps"

# DATA and the icons, as the generator writes them for every build.
if [ ! -d "$root/build/DATA" ] || [ ! -f "$root/build/icons/vantorel.ico" ]; then
    vt_configure "$root/build" -DCMAKE_BUILD_TYPE=Release -DVANTOREL_TESTS=OFF -DVANTOREL_BENCH=OFF \
        -DVANTOREL_WERROR=OFF -DVANTOREL_SANITIZE=OFF -DVANTOREL_TSAN=OFF -DVANTOREL_FUZZ=OFF
    cmake --build "$root/build" --target vantorel-data -j "$(vt_jobs)"
fi
mkdir -p "$game/icons"
cp -u "$root/build/icons/vantorel.ico" "$game/icons/"

# Configured with its options on every run (cheap when nothing changed). The
# configure checks' programs run under node without its own fetch().
PKG_CONFIG_LIBDIR="$deps/lib/pkgconfig" PKG_CONFIG_PATH="" emcmake cmake -S "$root" -B "$game" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_FIND_ROOT_PATH="$deps" -DCMAKE_PREFIX_PATH="$deps" \
    "-DCMAKE_CROSSCOMPILING_EMULATOR=${VT_WEB_NODE_CMD// /;}" \
    -DVANTOREL_TESTS=OFF -DVANTOREL_BENCH=OFF -DVANTOREL_WERROR=ON \
    -DVANTOREL_SANITIZE=OFF -DVANTOREL_TSAN=OFF -DVANTOREL_FUZZ=OFF > "$game.configure.log" ||
    { cat "$game.configure.log"; exit 1; }
cmake --build "$game" --target vantorel ${VT_WEB_TARGETS:-} -j "$(vt_jobs)"

"$here/site.sh" "$root" "$game" "$site"

if [ "$serve" = 1 ]; then
    port="${VT_WEB_PORT:-8080}"
    echo "Vantorel in a browser: http://127.0.0.1:$port/ (^C stops the server)"
    exec python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port"
fi
