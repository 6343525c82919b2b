#!/usr/bin/env bash
# site.sh — writes the browser build's static site from the built game and
# the Linux build's DATA and icons (see build.sh for what it holds). The
# packed DATA is made with Emscripten's file packager in two parts: all but
# the music tracks, which the game needs before its first frame, and the
# tracks, which the page loads after it. The service worker's cache is
# named by a hash of the site's files, so every change is a new version.
# Usage: site.sh <source root> <game build folder> <site folder>
set -euo pipefail

root="$(cd "$1" && pwd)"
game="$(cd "$2" && pwd)"
site="$(mkdir -p "$(dirname "$3")" && cd "$(dirname "$3")" && pwd)/$(basename "$3")"
here="$root/scripts/web"
packager=/usr/share/emscripten/tools/file_packager.py
[ -f "$packager" ] || packager="$(dirname "$(readlink -f "$(command -v emcc)")")/tools/file_packager.py"

rm -rf "$site.new"
mkdir -p "$site.new/icons"
cp "$game/vantorel.js" "$game/vantorel.wasm" "$here/site/index.html" "$here/site/page.js" "$site.new/"
cp "$root"/build/icons/*.png "$site.new/icons/"

# The two parts of DATA, each file at its own path under /DATA.
music="DATA/Sound/BGM"
first=()
while IFS= read -r path; do first+=(--preload "$path@/$path"); done < <(
    cd "$root/build" && find DATA -type f ! -path "$music/*" | sort)
tracks=()
while IFS= read -r path; do tracks+=(--preload "$path@/$path"); done < <(
    cd "$root/build" && find "$music" -type f | sort)
(
    cd "$root/build"
    python3 "$packager" "$site.new/data-first.data" "${first[@]}" --js-output="$site.new/data-first.js" \
        --no-node > /dev/null
    python3 "$packager" "$site.new/data-music.data" "${tracks[@]}" --js-output="$site.new/data-music.js" \
        --no-node > /dev/null
)

icons=""
for png in "$site.new"/icons/*.png; do
    size="$(basename "$png" .png)"
    icons="$icons${icons:+, }{ \"src\": \"icons/$size.png\", \"sizes\": \"${size}x$size\", \"type\": \"image/png\" }"
done
sed "s|@ICONS@|$icons|" "$here/site/manifest.webmanifest" > "$site.new/manifest.webmanifest"

version="$(cd "$site.new" && find . -type f | sort | xargs sha256sum | sha256sum | cut -c1-16)"
files="\"./\""
for f in $(cd "$site.new" && find . -type f | sed 's|^\./||' | sort); do files="$files, \"$f\""; done
sed -e "s|@VERSION@|$version|" -e "s|@FILES@|$files|" "$here/site/sw.js" > "$site.new/sw.js"

rm -rf "$site"
mv "$site.new" "$site"
echo "Browser build: $site (version $version)"
