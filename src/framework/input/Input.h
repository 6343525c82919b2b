// Input.h — the keyboard and one game pad as 16 logical buttons, each with
// a per-frame ButtonState, and four analogue axes. One Input object exists
// from start-up to shut-down, reached through the global `input`; it is
// updated once per logic frame, before the scene's update.
//
// Logical buttons 0–3 are the directions (PAD_UP, PAD_DOWN, PAD_LEFT,
// PAD_RIGHT, driven by the pad's hat); 4–15 have no names. Button 15 starts
// a round. The mouse is not part of this object.
// A pad that cannot be read in a frame lets its buttons go (they read
// released, then idle), so a pad pulled out mid-round leaves nothing held.
#pragma once

#include "framework/input/ButtonState.h"
#include "framework/input/DirectInputRoot.h"

constexpr int BUTTON_COUNT = 16;
constexpr int AXIS_COUNT = 4;
constexpr LONG AXIS_LIMIT = 1000;

enum PadDirection { PAD_UP = 0, PAD_DOWN = 1, PAD_LEFT = 2, PAD_RIGHT = 3 };

class Input {
public:
    // Opens the first listed pad (none without DirectInput or a pad) and sets
    // the default maps; all states and axes start at zero.
    Input();
    // Unacquires and releases the pad.
    ~Input();
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;

    // Each takes 16 bytes in configuration order: positions 0–8 are logical
    // buttons 0–8, then 9 → 10, 10 → 12, 11 → 9, 12 → 11, 13 → 13, 14 → 14,
    // 15 → 15. Keys are virtual-key codes. Pad bytes 0–3 are axis selectors
    // (0–5: lX, lY, lZ, lRx, lRy, lRz), bytes 4–15 1-based pad button numbers.
    void setKeyMap(const BYTE (&keys)[BUTTON_COUNT]);
    void setPadMap(const BYTE (&padBytes)[BUTTON_COUNT]);

    void update();
    // A device was plugged in or pulled out: lists the pads again. The open
    // pad stays while it is listed; one that has gone is released with its
    // buttons let go, and the first listed pad, if any, is opened instead.
    void findPads();

    IDirectInputDevice8A* pad;
    DWORD keyMap[BUTTON_COUNT];
    // Entries 0–3: axis selectors; 4–15: zero-based rgbButtons indices. An
    // out-of-range entry reads as an axis at 0 or a button that is up.
    DWORD padMap[BUTTON_COUNT];
    ButtonState buttons[BUTTON_COUNT];     // combined: what the game reads
    ButtonState padButtons[BUTTON_COUNT];  // the pad alone
    // 0, 1 first stick X, Y; 2, 3 second stick X, Y. −1000…+1000, negative is
    // left or up; each pair lies inside the circle of radius 1000.
    LONG axis[AXIS_COUNT];
    GUID padInstance;  // the open pad's instance, to know it again in a new list

private:
    void readPad();
    void openFirstPad();
};

extern Input* input;
