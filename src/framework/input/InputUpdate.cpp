// InputUpdate.cpp — one frame of input: the pad's axes, hat and buttons, the
// keyboard's two sticks (arrow keys and numeric keypad) with the circular
// clamp, and the combined button states. The pad's state, when it has one
// other than BTN_IDLE, wins over the key; otherwise the key continues from
// the previous combined state.
#include "framework/input/Input.h"

#include <cmath>
#include <cstdint>

namespace {

// Acquire should answer DIERR_INPUTLOST only briefly; a device that keeps
// answering it must not hold the frame forever.
constexpr int MaxReacquireAttempts = 16;
constexpr DWORD ButtonSlots = sizeof(DIJOYSTATE2::rgbButtons);

bool keyDown(DWORD vk) { return GetAsyncKeyState(int(vk)) < 0; }

LONG padAxis(const DIJOYSTATE2& state, DWORD selector)
{
    switch (selector) {
    case 0: return state.lX;
    case 1: return state.lY;
    case 2: return state.lZ;
    case 3: return state.lRx;
    case 4: return state.lRy;
    case 5: return state.lRz;
    default: return 0;
    }
}

// Directions held by the first hat: bit 0 up, 1 down, 2 left, 3 right. Each
// direction covers its own angle up to the next 45-degree mark.
int hatMask(DWORD pov)
{
    if ((pov & 0xFFFF) == 0xFFFF || pov >= 36000) return 0;
    static const int sectorMask[8] = {1, 9, 8, 10, 2, 6, 4, 5};
    return sectorMask[pov / 4500];
}

// The later key wins: DOWN over UP, RIGHT over LEFT.
void keyboardStick(int up, int down, int left, int right, LONG& x, LONG& y)
{
    if (keyDown(up)) y = -AXIS_LIMIT;
    if (keyDown(down)) y = AXIS_LIMIT;
    if (keyDown(left)) x = -AXIS_LIMIT;
    if (keyDown(right)) x = AXIS_LIMIT;
}

// Pulls (x, y) back onto the circle of radius 1000 when it lies outside.
// Squares are summed unsigned 64-bit: an axis whose range could not be set
// reads the device's own range.
void clampStick(LONG& x, LONG& y)
{
    const uint64_t s = uint64_t(int64_t(x) * x) + uint64_t(int64_t(y) * y);
    if (s <= uint64_t(AXIS_LIMIT) * AXIS_LIMIT) return;
    const int64_t len = int64_t(std::sqrt(float(s)));
    x = LONG(int64_t(x) * AXIS_LIMIT / len);
    y = LONG(int64_t(y) * AXIS_LIMIT / len);
}

}  // namespace

void Input::update()
{
    for (LONG& value : axis) value = 0;
    if (pad) readPad();

    keyboardStick(VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, axis[0], axis[1]);
    clampStick(axis[0], axis[1]);
    keyboardStick(VK_NUMPAD8, VK_NUMPAD2, VK_NUMPAD4, VK_NUMPAD6, axis[2], axis[3]);
    clampStick(axis[2], axis[3]);

    for (int i = 0; i < BUTTON_COUNT; ++i) {
        if (pad && padButtons[i] != BTN_IDLE) buttons[i] = padButtons[i];
        else buttons[i] = nextState(buttons[i], keyDown(keyMap[i]));
    }
}

void Input::readPad()
{
    if (FAILED(pad->Poll())) {
        for (int attempt = 0; attempt < MaxReacquireAttempts && pad->Acquire() == DIERR_INPUTLOST; ++attempt) {
        }
        pad->Poll();
    }
    DIJOYSTATE2 state;
    if (pad->GetDeviceState(sizeof state, &state) != DI_OK) {
        // Unreadable this frame (pulled out, or the window in the
        // background): every pad button is let go, so none stays held.
        for (ButtonState& code : padButtons) code = nextState(code, false);
        return;
    }

    for (int k = 0; k < AXIS_COUNT; ++k) axis[k] = padAxis(state, padMap[k]);
    const int mask = hatMask(state.rgdwPOV[0]);
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        bool down;
        if (i < 4) down = mask & (1 << i);
        else down = padMap[i] < ButtonSlots && (state.rgbButtons[padMap[i]] & 0x80);
        padButtons[i] = nextState(padButtons[i], down);
    }
}
