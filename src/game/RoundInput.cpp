// RoundInput.cpp — reading the live devices into one tick's RoundInput.
#include "game/RoundInput.h"

#include "framework/core/MainWindow.h"
#include "framework/input/Input.h"

#include <windows.h>

RoundInput roundInput;

namespace {

// Both bits of the mask are down bits: 0x8000 is GetKeyState's own, 0x80 the
// same state as a key-state byte holds it. The toggle bit (0x0001) is not
// looked at, so a button counts as pressed only while it is held.
bool buttonDown(int vk) { return (GetKeyState(vk) & 0x8080) != 0; }

}  // namespace

RoundInput RoundInput::sample()
{
    RoundInput now;
    POINT at{};
    if (cursorInMainWindow(at)) {
        now.pointerKnown = true;
        now.pointerX = at.x;
        now.pointerY = at.y;
    }
    now.leftDown = buttonDown(VK_LBUTTON);
    now.rightDown = buttonDown(VK_RBUTTON);
    if (input) {
        for (int i = 0; i < BUTTONS; ++i)
            if (input->buttons[i] & 1) now.buttons |= uint8_t(1u << i);
        const LONG x = input->axis[0];
        const LONG y = input->axis[1];
        if (y < -STICK_THRESHOLD) now.stick |= 1u << PAD_UP;
        if (y > STICK_THRESHOLD) now.stick |= 1u << PAD_DOWN;
        if (x < -STICK_THRESHOLD) now.stick |= 1u << PAD_LEFT;
        if (x > STICK_THRESHOLD) now.stick |= 1u << PAD_RIGHT;
    }
    return now;
}
