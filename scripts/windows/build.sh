#!/usr/bin/env bash
# build.sh — the Windows build of the game with Debian's mingw-w64: the static
# Ogg and Vorbis libraries (deps.sh), then vantorel.exe and the floating-point
# check vantorel-floatcheck.exe, with DATA beside them, and the download: the
# zip of vantorel.exe, DATA and README.txt (packaging/windows).
#   scripts/windows/build.sh            32-bit, into build-windows/ (the shipped build):
#                                       build-windows/vantorel-VERSION-win32.zip
#   scripts/windows/build.sh x86_64     64-bit, into build-win-x86_64/ (only for the
#                                       Wine check where no 32-bit code can run):
#                                       build-win-x86_64/vantorel-VERSION-win64.zip
# DATA and the icon (icons/vantorel.ico, the program's icon resource) are
# copied from the Linux build (build/, or the folder named by
# VANTOREL_DATA_FROM) when they are there; otherwise the generator is built in
# build-win-host/ and run. Every step is skipped when its result is current;
# the trees are configured with their options on every run. The Windows trees
# treat warnings as errors, as ./test's own trees do.
# Depends on: g++-mingw-w64-i686 (or -x86-64), cmake, dpkg-dev, the host
# build's packages for the generator.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
arch="${1:-i686}"
case "$arch" in
    i686) out="$root/build-windows" ;;
    x86_64) out="$root/build-win-x86_64" ;;
    *) echo "usage: $0 [i686|x86_64]" >&2; exit 2 ;;
esac
triple="$arch-w64-mingw32"
jobs="$(nproc 2>/dev/null || echo 2)"

"$root/scripts/windows/deps.sh" "$out/deps" "$triple" "$root/build-windows/deps/src"

# Configured with its options on every run (cheap when nothing changed).
cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/scripts/windows/mingw-w64.cmake" \
    -DVANTOREL_WINDOWS_TRIPLE="$triple" -DVANTOREL_WINDOWS_DEPS="$out/deps" \
    -DVANTOREL_TESTS=OFF -DVANTOREL_BENCH=OFF -DVANTOREL_WERROR=ON \
    -DVANTOREL_SANITIZE=OFF -DVANTOREL_TSAN=OFF -DVANTOREL_FUZZ=OFF

data_from="${VANTOREL_DATA_FROM:-$root/build}"
if [ ! -d "$data_from/DATA" ] || [ ! -f "$data_from/icons/vantorel.ico" ]; then
    host="$root/build-win-host"
    cmake -S "$root" -B "$host" -DCMAKE_BUILD_TYPE=Release -DVANTOREL_TESTS=OFF -DVANTOREL_BENCH=OFF \
        -DVANTOREL_WERROR=OFF -DVANTOREL_SANITIZE=OFF -DVANTOREL_TSAN=OFF -DVANTOREL_FUZZ=OFF
    cmake --build "$host" --target vantorel-data -j "$jobs"
    data_from="$host"
fi
# The program's icon resource is built from the generator's .ico.
mkdir -p "$out/icons"
cp -u "$data_from/icons/vantorel.ico" "$out/icons/"
# Only newer files are copied; a file the generator no longer writes goes too.
mkdir -p "$out/DATA"
cp -ru "$data_from/DATA/." "$out/DATA/"
(cd "$out/DATA" && find . -type f) | while read -r f; do
    [ -e "$data_from/DATA/$f" ] || rm -f "$out/DATA/$f"
done
cmake --build "$out" --target vantorel vantorel-floatcheck -j "$jobs"
cmake --build "$out" --target vantorel-zip
. "$out/version.sh"
echo "Windows build: $out/vantorel.exe with $out/DATA; the download: $(ls "$out"/vantorel-"$VT_VERSION"-win*.zip)"
