#!/usr/bin/env bash
# package-check.sh — builds the Debian package (scripts/package.sh: version
# check, dpkg-buildpackage, lintian) and checks what it holds, unpacked with
# dpkg -x into a scratch folder: the game, its launcher, DATA, the desktop
# entry (desktop-file-validate), the AppStream metadata (appstreamcli
# validate), the icons at every size, the manual page and the dependencies.
# Then the game is started from the unpacked package on a private Xvfb with
# its own home: it shows the board with its window class and icon set, and
# quits with Escape. Nothing is installed and the scratch folder goes, so the
# machine is left as it was found.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

deb=$("$root/scripts/package.sh" | tail -n 1)
id=$(sed -n 's/^set(VANTOREL_APP_ID "\(.*\)")$/\1/p' "$root/cmake/version.cmake")
version=$(dpkg-deb -f "$deb" Version)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

dpkg-deb -f "$deb" Depends | grep -q libsdl2 || fail "the package does not depend on SDL2"
dpkg-deb -f "$deb" Recommends | grep -q libdecor-0-plugin-1-cairo || fail "no libdecor-0-plugin-1-cairo"
dpkg -x "$deb" "$scratch/root"
usr="$scratch/root/usr"
for f in games/vantorel libexec/vantorel/vantorel share/vantorel/DATA/PuzzleField/peace.png \
         share/vantorel/DATA/Sound/BGM share/vantorel/DATA/SHADER/2D.fx \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/man/man6/vantorel.6.gz \
         share/doc/vantorel/copyright; do
    [ -e "$usr/$f" ] || fail "not in the package: /usr/$f"
done
for size in 16 24 32 48 64 128 256 512; do
    icon="$usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "no ${size}x${size} icon"
done
extra=$(cd "$scratch/root" && find . -type f | grep -v -e '^./usr/share/vantorel/DATA/' -e '^./usr/share/icons/hicolor/' \
        -e "^./usr/share/doc/vantorel/" -e '^./usr/share/man/man6/vantorel.6.gz$' | sort | tr '\n' ' ')
[ "$extra" = "./usr/games/vantorel ./usr/libexec/vantorel/vantorel ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml " ] ||
    fail "unexpected files in the package: $extra"

desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop entry rejected"
grep -qx "Exec=/usr/games/vantorel" "$usr/share/applications/$id.desktop" || fail "Exec is not the launcher"
grep -qx "StartupWMClass=$id" "$usr/share/applications/$id.desktop" || fail "no StartupWMClass"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" || fail "AppStream metadata rejected"
grep -q "<release version=\"$version\"" "$usr/share/metainfo/$id.metainfo.xml" || fail "no release $version"
zcat "$usr/share/man/man6/vantorel.6.gz" | grep -q "Vantorel $version" || fail "the manual page is not of $version"

# The unpacked game, started through its launcher from another folder, with
# its own home so that nothing of the user's is read or written.
source "$root/tests/support/x11.sh"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/config" XDG_DATA_HOME="$scratch/home/data"
mkdir -p "$HOME"
vt_start_xvfb 1600x1200 || fail "no X server"
trap 'vt_stop_xvfb; rm -rf "$scratch"' EXIT
caption="Vantorel version$version"
(cd / && exec "$usr/games/vantorel") &
VT_GAME_PID=$!
WIN=$(vt_wait_window "$caption") || fail "no game window"
read -r WX WY WW WH <<<"$(vt_geometry "$WIN")"
vt_wait_drawn "$WX" "$WY" "$WW" "$WH" || fail "nothing drawn within 30 s"
xprop -id "$WIN" WM_CLASS | grep -q "\"$id\"" || fail "the window's class is not $id"
xprop -id "$WIN" _NET_WM_ICON | grep -q "Icon (64 x 64)" || fail "the window has no 64 x 64 icon"
vt_quit_with_escape
