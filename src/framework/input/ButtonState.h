// ButtonState.h — the per-frame state code of a logical button: bit 0 is
// set while the button is down, bit 1 in the frame in which it changed. One
// press held for three frames and then let go reads 3, 1, 1, 2, 0.
#pragma once

#include <cstdint>

enum ButtonState : uint8_t {
    BTN_IDLE = 0,      // up, and up in the previous frame
    BTN_HELD = 1,      // down, and down in the previous frame
    BTN_RELEASED = 2,  // up now, down in the previous frame
    BTN_PRESSED = 3,   // down now, up in the previous frame
};

// The code of a button that is now `down`, given its previous code.
constexpr ButtonState nextState(ButtonState old, bool down)
{
    const bool wasDown = old & 1;
    if (down) return wasDown ? BTN_HELD : BTN_PRESSED;
    return wasDown ? BTN_RELEASED : BTN_IDLE;
}
