# setup.sh — sourced by ./play and ./test: installs the Debian packages that
# are missing (through apt-get, as root or with sudo) and builds a tree.
# Nothing is installed or rebuilt when it is already there.

VT_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# What building and playing need.
VT_BUILD_PACKAGES=(build-essential cmake pkg-config libsdl2-dev libpng-dev libvorbis-dev
                   libfreetype-dev fonts-dejavu-core libgtest-dev libbenchmark-dev)
# What the tests need besides: clang for the fuzzers, an X server and X input
# for the end-to-end tests, and other tools' WAV and Ogg files.
VT_TEST_PACKAGES=(clang xvfb xauth xdotool x11-utils x11-apps imagemagick sox vorbis-tools
                  desktop-file-utils)

vt_install_missing() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null; then
            sudo=(sudo)
        else
            echo "error: need root or sudo to install: ${missing[*]}" >&2
            return 1
        fi
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

vt_jobs() { nproc 2>/dev/null || echo 2; }

# vt_build <dir> <cmake options...>: configures once, then builds everything.
vt_build() {
    local dir="$1"
    shift
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$VT_ROOT" -B "$dir" "$@"
    fi
    cmake --build "$dir" -j "$(vt_jobs)"
}
