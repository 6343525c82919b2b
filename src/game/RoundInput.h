// RoundInput.h — everything a round reads from the player in one tick: the
// mouse (its position on the back buffer and its two buttons), the logical
// buttons the field and the board cursor use (the four directions, step and
// clear) and the first stick's four directions. The scene fills `roundInput`
// once a tick before the board cursor and the field read it: from the live
// devices (sample) or from a recorded round, so both play through one path.
// Limits: main thread. Depends on: GetKeyState, cursorInMainWindow, Input.
#pragma once

#include <cstdint>

struct RoundInput {
    static constexpr int BUTTONS = 6;                // logical buttons 0–5
    static constexpr int32_t STICK_THRESHOLD = 500;  // a stick counts past ±500 of ±1000

    bool pointerKnown = false;  // false when the position could not be read
    int32_t pointerX = 0;       // back-buffer pixels
    int32_t pointerY = 0;
    bool leftDown = false;  // the mouse buttons
    bool rightDown = false;
    uint8_t buttons = 0;  // bit i: logical button i held
    uint8_t stick = 0;    // bit d: the first stick pushed toward direction d (PadDirection)

    // What the devices say now.
    static RoundInput sample();

    bool buttonHeld(int button) const { return button >= 0 && button < BUTTONS && ((buttons >> button) & 1) != 0; }
    // A direction's logical button or the stick toward it.
    bool directionHeld(int direction) const { return buttonHeld(direction) || ((stick >> direction) & 1) != 0; }

    bool operator==(const RoundInput&) const = default;
};

extern RoundInput roundInput;
