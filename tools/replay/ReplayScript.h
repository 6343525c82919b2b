// ReplayScript.h — the replay script: one input event per line, each applied
// before a numbered tick (the first tick of a run is tick 1).
//
//   T key VK down|up          VK decimal (1–254, mouse buttons excluded) or a name
//   T mouse X Y               the position the game computes, back-buffer pixels
//   T button left|right down|up
//   T stall MS                tick T runs MS milliseconds (1–600000) after it was due
//   T close                   the close box
//
// A word starting with # begins a comment that runs to the end of the line;
// blank and comment lines are ignored and a trailing carriage return is
// accepted. Ticks must not decrease from one event
// to the next, which catches most mistyped tick numbers.
// Limits: a malformed line stops the reading with a message naming the line.
// Depends on: KeyNames.
#pragma once

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace replay {

enum class EventKind { Key, Mouse, Button, Focus, Stall, Close };
enum class MouseButton { Left, Right };

struct ScriptEvent {
    uint32_t tick = 0;
    EventKind kind = EventKind::Close;
    int key = 0;        // Key: the virtual-key code
    bool down = false;  // Key, Button; Focus: in
    MouseButton button = MouseButton::Left;
    int x = 0;  // Mouse
    int y = 0;
    uint32_t stallMs = 0;  // Stall

    bool operator==(const ScriptEvent&) const = default;
};

struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

constexpr uint32_t MaxStallMs = 600000;

// Reads a whole script; throws ScriptError ("line N: ...") at the first bad line.
std::vector<ScriptEvent> readScript(std::istream& in);

}  // namespace replay
