# setup.sh — sourced by ./play, ./test and scripts/windows/check.sh: installs
# the Debian packages that are missing (through apt-get, as root or with sudo)
# and configures and builds a tree. Nothing is installed when it is already
# there, and a build redoes only what changed.

VT_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# What building and playing need: the compiler and build tools, the game's
# libraries, and FreeType, Vorbis' encoder and the DejaVu fonts for generating
# DATA.
VT_PLAY_PACKAGES=(build-essential cmake pkg-config libsdl2-dev libpng-dev libvorbis-dev
                  libfreetype-dev fonts-dejavu-core)
# What the tests need besides: GoogleTest and Google Benchmark, clang for the
# fuzzers, an X server and X input for the end-to-end tests, other tools' WAV
# and Ogg files, the desktop entry's validator; for the Debian package its
# build tools, lintian and AppStream's validator; Weston (and the window
# decorations SDL asks libdecor for) for the game on Wayland.
VT_TEST_PACKAGES=(libgtest-dev libbenchmark-dev clang xvfb xauth xdotool x11-utils x11-apps
                  imagemagick sox vorbis-tools desktop-file-utils dpkg-dev debhelper lintian appstream
                  weston libdecor-0-plugin-1-cairo)
# What the browser build needs (./web, and ./test's browser checks): Debian's
# Emscripten, the tools that fetch and build the dependencies from Debian's
# sources, and headless Chromium driven over its DevTools protocol from
# Debian's Python.
VT_WEB_PACKAGES=(emscripten dpkg-dev make autotools-dev python3 python3-websocket chromium)

# vt_installed <package[:arch]>: the package is installed for that
# architecture; without one, for this machine's own (or for all).
vt_installed() {
    local name="${1%%:*}" arch="${1#*:}"
    [ "$arch" = "$1" ] && arch="$(dpkg --print-architecture)"
    dpkg-query -W -f='${Status} ${Architecture}\n' "$name" 2>/dev/null |
        grep -qE "^install ok installed ($arch|all)\$"
}

# vt_install_missing <package[:arch]...>: installs those not installed yet,
# after refreshing apt's package lists. Another apt run holding the lock
# (an unattended upgrade on a fresh machine) is waited for.
vt_install_missing() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        vt_installed "$pkg" || missing+=("$pkg")
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
    local apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600)
    "${apt[@]}" update -qq
    "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
}

vt_jobs() { nproc 2>/dev/null || echo 2; }

# vt_configure <dir> <cmake options...>: configures the tree with exactly
# these options on every run, so a tree never keeps options from an earlier
# run (cheap when nothing changed).
vt_configure() {
    local dir="$1"
    shift
    cmake -S "$VT_ROOT" -B "$dir" "$@"
}

# vt_build <dir> <cmake options...>: configures, then builds everything.
vt_build() {
    vt_configure "$@"
    cmake --build "$1" -j "$(vt_jobs)"
}

# vt_build_game: build/, the tree ./play runs and ./test builds the same way:
# the game, the replay tool and DATA in Release, without tests or benchmarks,
# warnings not errors (a newer compiler's new warnings cannot stop a player).
vt_build_game() {
    vt_build "$VT_ROOT/build" -DCMAKE_BUILD_TYPE=Release -DVANTOREL_TESTS=OFF -DVANTOREL_BENCH=OFF \
        -DVANTOREL_WERROR=OFF -DVANTOREL_SANITIZE=OFF -DVANTOREL_TSAN=OFF -DVANTOREL_FUZZ=OFF
}
