// ReplayScript.h — the replay script: one input event per line (the game's
// ScriptReader gives the grammar), each applied before a numbered tick (the
// first tick of a run is tick 1). Blank and comment lines are ignored.
// Limits: a malformed line stops the reading with a message naming the line.
// Depends on: ScriptReader (the game's).
#pragma once

#include "game/ScriptReader.h"

#include <istream>
#include <stdexcept>
#include <vector>

namespace replay {

struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads a whole script; throws ScriptError ("line N: ...") at the first bad line.
std::vector<ScriptEvent> readScript(std::istream& in);

}  // namespace replay
