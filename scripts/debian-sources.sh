# debian-sources.sh — sourced by the dependency builds (scripts/windows/deps.sh,
# scripts/web/deps.sh): Debian's own source packages, fetched with
# `apt-get source` through a private apt configuration (its own deb-src list
# derived from this machine's apt sources by debsrc-list.sh, its own package
# lists and cache); the system's apt setup is never touched.
# Depends on: apt-get, dpkg-source (dpkg-dev), awk.

VT_DEBSRC_LIST="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/windows/debsrc-list.sh"

# vt_private_apt <apt folder>: points APT_CONFIG at a private setup there.
vt_private_apt() {
    local apt="$1"
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/sources.list.d"
    "$VT_DEBSRC_LIST" > "$apt/sources.list"
    if [ ! -s "$apt/sources.list" ]; then
        echo "deps: found no Debian archive in this machine's apt sources" >&2
        return 1
    fi
    cat > "$apt/apt.conf" <<CONF
Dir::Etc::SourceList "$apt/sources.list";
Dir::Etc::SourceParts "$apt/sources.list.d";
Dir::State::Lists "$apt/lists";
Dir::Cache "$apt/cache";
APT::Sandbox::User "$(id -un)";
Acquire::Languages "none";
CONF
    export APT_CONFIG="$apt/apt.conf"
}

# vt_source_dir <sources folder> <source package>: the unpacked source tree
# (the newest when there are several), or nothing.
vt_source_dir() {
    find "$1" -mindepth 1 -maxdepth 1 -type d -name "$2-[0-9]*" | sort | tail -n 1
}

# vt_fetch_sources <apt folder> <sources folder> <source package...>: fetches
# and unpacks those not unpacked there yet, each in the newest version the
# archive serves.
vt_fetch_sources() {
    local apt="$1" sources="$2"
    shift 2
    local missing=() pkg
    for pkg in "$@"; do
        [ -n "$(vt_source_dir "$sources" "$pkg")" ] || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    vt_private_apt "$apt"
    echo "deps: fetching the sources of ${missing[*]}"
    apt-get -qq update
    # A suite's updates can lag on a mirror that carries its binaries only:
    # the release's own version is taken then.
    local codename
    codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
    for pkg in "${missing[@]}"; do
        (cd "$sources" && { apt-get -qq source "$pkg" 2>/dev/null || apt-get -qq source "$pkg/$codename"; })
    done
}
