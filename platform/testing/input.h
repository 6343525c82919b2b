// input.h — test mode of the DirectInput layer: SDL virtual joysticks stand
// in for game pads, so tests run without hardware. A pad is attached either
// as a controller that SDL's game-controller database recognises (presented
// in the layer's fixed layout) or as a raw joystick (presented as its raw
// axes, hats and buttons). Values set here are what the next Poll or
// GetDeviceState reads.
#pragma once

#include <cstdint>

namespace testmode {

// SDL's game-controller buttons and axes, in SDL's order.
enum class PadButton {
    A,
    B,
    X,
    Y,
    Back,
    Guide,
    Start,
    LeftStick,
    RightStick,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
    Misc1,
    Paddle1,
    Paddle2,
    Paddle3,
    Paddle4,
    Touchpad,
};
enum class PadAxis { LeftX, LeftY, RightX, RightY, TriggerLeft, TriggerRight };

// Hat directions of a raw joystick (combine with |), as SDL gives them.
enum : uint8_t { HatCentred = 0, HatUp = 1, HatRight = 2, HatDown = 4, HatLeft = 8 };

// Each returns a pad id (SDL's joystick instance id), or -1 when SDL cannot
// attach one. Starts SDL's joystick subsystem when it is not up.
int attachController();
int attachJoystick(int axes, int buttons, int hats);
// Unplugs the pad; false when no such pad is attached.
bool detachPad(int pad);
void detachAllPads();

// Raw values: axis −32768…32767, buttons by index in the pad's own order.
void setPadAxis(int pad, int axis, int16_t value);
void setPadButton(int pad, int button, bool down);
void setPadHat(int pad, int hat, uint8_t directions);
// A recognised controller's named buttons and axes; sticks −32768…32767,
// triggers 0 (released) … 32767.
void setPadButton(int pad, PadButton button, bool down);
void setPadAxis(int pad, PadAxis axis, int16_t value);

}  // namespace testmode
