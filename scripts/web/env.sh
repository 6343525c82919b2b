# env.sh — sourced by the browser build's scripts: Debian's Emscripten set up
# to work offline and with whatever node the machine has.
#   - Debian's emscripten finds its JavaScript modules (acorn ...) in
#     /usr/share/nodejs, where a node that is not Debian's does not look;
#   - a newer node's own fetch() makes Emscripten's loader fetch the .wasm
#     as a URL and fail, so the programs a configure step runs get node
#     without it (VT_WEB_NODE);
#   - Emscripten's ports download from the internet: never used, every
#     library comes from Debian's sources (scripts/web/deps.sh).

export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
VT_WEB_NODE="$(command -v node || command -v nodejs)"
node_fetch_flag=()
if "$VT_WEB_NODE" --no-experimental-fetch -e 0 2>/dev/null; then node_fetch_flag=(--no-experimental-fetch); fi
# The node command line as one string, for CMake's emulator and for scripts.
VT_WEB_NODE_CMD="$VT_WEB_NODE${node_fetch_flag[*]:+ ${node_fetch_flag[*]}}"
export EMCC_SKIP_SANITY_CHECK=1
