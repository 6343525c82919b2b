// ScriptReader.h — the event lines of a replay script, which round files use
// too: a tick number T (from 1), the event, its arguments. The event applies
// before tick T; ticks must not decrease from one event to the next, which
// catches most mistyped tick numbers.
//
//   T key VK down|up          VK decimal (1–254, mouse buttons excluded) or a name (KeyNames)
//   T mouse X Y               the position the game computes, back-buffer pixels
//   T mouse none              (round files only) the position could not be read
//   T button left|right down|up
//   T focus in|out            the window gains or loses the keyboard focus
//   T stall MS                tick T runs MS milliseconds (1–600000) after it was due
//   T close                   the close box
//
// Limits: a bad line is refused with a message naming it; the caller says
// which forms it reads beyond the replay tool's and the last tick it takes.
// Depends on: ScriptLine, KeyNames.
#pragma once

#include "game/ScriptLine.h"

#include <cstdint>
#include <limits>
#include <string>

struct ScriptEvent {
    enum class Kind { Key, Mouse, Button, Focus, Stall, Close };
    enum class MouseButton { Left, Right };

    uint32_t tick = 0;
    Kind kind = Kind::Close;
    int key = 0;        // Key: the virtual-key code
    bool down = false;  // Key, Button; Focus: in
    MouseButton button = MouseButton::Left;
    int x = 0;  // Mouse
    int y = 0;
    uint32_t stallMs = 0;      // Stall
    bool pointerKnown = true;  // Mouse: false for "mouse none"

    bool operator==(const ScriptEvent&) const = default;
};

struct ScriptForms {
    uint32_t lastTick = std::numeric_limits<int32_t>::max();
    bool mouseNone = false;  // reads "T mouse none"
};

class ScriptReader {
public:
    static constexpr uint32_t MaxStallMs = 600000;
    static constexpr int MousePositionLimit = 1000000;

    explicit ScriptReader(const ScriptForms& forms = {}) : forms(forms) {}

    // Reads the event of a line that is not blank; on a fault, false with
    // the line's message in error().
    bool read(ScriptLine& line, ScriptEvent& event);
    const std::string& error() const { return fault; }

private:
    ScriptForms forms;
    uint32_t lastTick = 0;  // of the last event read
    std::string fault;
};
