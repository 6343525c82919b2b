// controller_layout.cpp — a recognised controller in one fixed layout, the
// one common HID game pads give under DirectInput, whatever the pad's raw
// layout:
//
//   lX, lY    left stick (left/up negative)
//   lZ, lRz   right stick X and Y
//   lRx, lRy  left and right trigger (released = range minimum)
//   POV 0     the d-pad
//   buttons (1-based, as pads label them; rgbButtons index = label − 1):
//     1 X / west     2 A / south     3 B / east     4 Y / north
//     5 left shoulder   6 right shoulder   7 left trigger   8 right trigger
//     9 back / select   10 start   11 left stick click   12 right stick click
//     13 guide   14 touchpad   15 misc (share / capture)   16–19 paddles 1–4
//
// A trigger also counts as its button once pulled past a quarter of its
// travel. Objects the controller lacks are not listed and read as 0.
#include "dinput/controller_layout.h"

#include <SDL.h>

namespace layer::input {

namespace {

struct AxisSource {
    int slot;
    SDL_GameControllerAxis axis;
};
constexpr AxisSource AxisOrder[] = {
    {0, SDL_CONTROLLER_AXIS_LEFTX},       {1, SDL_CONTROLLER_AXIS_LEFTY},        {2, SDL_CONTROLLER_AXIS_RIGHTX},
    {3, SDL_CONTROLLER_AXIS_TRIGGERLEFT}, {4, SDL_CONTROLLER_AXIS_TRIGGERRIGHT}, {5, SDL_CONTROLLER_AXIS_RIGHTY},
};

// One button of the fixed order: an SDL button, or a trigger axis read as a button.
struct ButtonSource {
    SDL_GameControllerButton button;
    SDL_GameControllerAxis trigger;
};
constexpr ButtonSource Button(SDL_GameControllerButton b) { return {b, SDL_CONTROLLER_AXIS_INVALID}; }
constexpr ButtonSource Trigger(SDL_GameControllerAxis a) { return {SDL_CONTROLLER_BUTTON_INVALID, a}; }
constexpr ButtonSource ButtonOrder[] = {
    Button(SDL_CONTROLLER_BUTTON_X),
    Button(SDL_CONTROLLER_BUTTON_A),
    Button(SDL_CONTROLLER_BUTTON_B),
    Button(SDL_CONTROLLER_BUTTON_Y),
    Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER),
    Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER),
    Trigger(SDL_CONTROLLER_AXIS_TRIGGERLEFT),
    Trigger(SDL_CONTROLLER_AXIS_TRIGGERRIGHT),
    Button(SDL_CONTROLLER_BUTTON_BACK),
    Button(SDL_CONTROLLER_BUTTON_START),
    Button(SDL_CONTROLLER_BUTTON_LEFTSTICK),
    Button(SDL_CONTROLLER_BUTTON_RIGHTSTICK),
    Button(SDL_CONTROLLER_BUTTON_GUIDE),
    Button(SDL_CONTROLLER_BUTTON_TOUCHPAD),
    Button(SDL_CONTROLLER_BUTTON_MISC1),
    Button(SDL_CONTROLLER_BUTTON_PADDLE1),
    Button(SDL_CONTROLLER_BUTTON_PADDLE2),
    Button(SDL_CONTROLLER_BUTTON_PADDLE3),
    Button(SDL_CONTROLLER_BUTTON_PADDLE4),
};
constexpr int TriggerThreshold = 32767 / 4;

bool hasSource(SDL_GameController* controller, const ButtonSource& source)
{
    if (source.trigger != SDL_CONTROLLER_AXIS_INVALID) return SDL_GameControllerHasAxis(controller, source.trigger);
    return SDL_GameControllerHasButton(controller, source.button);
}

bool hasDpad(SDL_GameController* controller)
{
    return SDL_GameControllerHasButton(controller, SDL_CONTROLLER_BUTTON_DPAD_UP) ||
           SDL_GameControllerHasButton(controller, SDL_CONTROLLER_BUTTON_DPAD_DOWN) ||
           SDL_GameControllerHasButton(controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT) ||
           SDL_GameControllerHasButton(controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
}

bool isTrigger(SDL_GameControllerAxis axis)
{
    return axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
}

}  // namespace

std::vector<PadObject> controllerObjects(SDL_GameController* controller)
{
    std::vector<PadObject> objects;
    for (const AxisSource& source : AxisOrder)
        if (SDL_GameControllerHasAxis(controller, source.axis)) objects.push_back(axisObject(source.slot));
    if (hasDpad(controller)) objects.push_back(povObject(0));
    int instance = 0;
    for (const ButtonSource& source : ButtonOrder) {
        if (hasSource(controller, source)) objects.push_back(buttonObject(instance));
        ++instance;
    }
    return objects;
}

void readController(SDL_GameController* controller, DIJOYSTATE2& state, const AxisRanges& ranges)
{
    for (const AxisSource& source : AxisOrder) {
        if (!SDL_GameControllerHasAxis(controller, source.axis)) continue;
        int raw = SDL_GameControllerGetAxis(controller, source.axis);
        // SDL's triggers run 0…32767; spread them over the full axis travel.
        if (isTrigger(source.axis)) raw = raw * 2 - 32767;
        axisField(state, source.slot) = scaleAxis(raw, ranges[source.slot]);
    }
    if (hasDpad(controller))
        state.rgdwPOV[0] = povFrom(SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_UP),
                                   SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
                                   SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_DOWN),
                                   SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT));
    int instance = 0;
    for (const ButtonSource& source : ButtonOrder) {
        const bool down = source.trigger != SDL_CONTROLLER_AXIS_INVALID
                              ? SDL_GameControllerGetAxis(controller, source.trigger) > TriggerThreshold
                              : SDL_GameControllerGetButton(controller, source.button) != 0;
        state.rgbButtons[instance++] = down ? 0x80 : 0;
    }
}

}  // namespace layer::input
