// pads.cpp — the headless host's pads, the controls of
// platform/testing/input.h: SDL virtual joysticks, each held open here so that
// its values can be set. The helpers keep one start of SDL's joystick
// subsystem for the whole run, so pads survive the game's DirectInput root
// coming and going.
#include "testing/input.h"

#include "dinput/joystick_subsystem.h"

#include <SDL.h>

#include <algorithm>
#include <map>

namespace testmode {

static_assert(int(PadButton::Touchpad) == SDL_CONTROLLER_BUTTON_TOUCHPAD);
static_assert(int(PadButton::Touchpad) + 1 == SDL_CONTROLLER_BUTTON_MAX);
static_assert(int(PadAxis::TriggerRight) + 1 == SDL_CONTROLLER_AXIS_MAX);
static_assert(HatUp == SDL_HAT_UP && HatRight == SDL_HAT_RIGHT && HatDown == SDL_HAT_DOWN && HatLeft == SDL_HAT_LEFT);

namespace {

std::map<int, SDL_Joystick*>& pads()
{
    static std::map<int, SDL_Joystick*> open;
    return open;
}

bool joysticksUp()
{
    static const bool up = layer::input::startJoysticks();
    return up;
}

int keep(int deviceIndex)
{
    if (deviceIndex < 0) return -1;
    SDL_Joystick* joystick = SDL_JoystickOpen(deviceIndex);
    if (!joystick) {
        SDL_JoystickDetachVirtual(deviceIndex);
        return -1;
    }
    const int id = SDL_JoystickInstanceID(joystick);
    pads()[id] = joystick;
    return id;
}

SDL_Joystick* find(int pad)
{
    auto it = pads().find(pad);
    return it == pads().end() ? nullptr : it->second;
}

}  // namespace

int attachController()
{
    if (!joysticksUp()) return -1;
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.name = "Test Controller";
    return keep(SDL_JoystickAttachVirtualEx(&desc));
}

int attachJoystick(int axes, int buttons, int hats)
{
    if (!joysticksUp()) return -1;
    return keep(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, axes, buttons, hats));
}

bool detachPad(int pad)
{
    SDL_Joystick* joystick = find(pad);
    if (!joystick) return false;
    pads().erase(pad);
    SDL_JoystickClose(joystick);
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == pad) return SDL_JoystickDetachVirtual(i) == 0;
    return false;
}

void detachAllPads()
{
    while (!pads().empty()) detachPad(pads().begin()->first);
}

void setPadAxis(int pad, int axis, int16_t value)
{
    if (SDL_Joystick* joystick = find(pad)) SDL_JoystickSetVirtualAxis(joystick, axis, value);
}

void setPadButton(int pad, int button, bool down)
{
    if (SDL_Joystick* joystick = find(pad)) SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0);
}

void setPadHat(int pad, int hat, uint8_t directions)
{
    if (SDL_Joystick* joystick = find(pad)) SDL_JoystickSetVirtualHat(joystick, hat, directions);
}

// A virtual controller's joystick buttons and axes are in SDL's controller order.
void setPadButton(int pad, PadButton button, bool down) { setPadButton(pad, int(button), down); }

// SDL reads a virtual controller's trigger over the whole axis travel.
void setPadAxis(int pad, PadAxis axis, int16_t value)
{
    const bool trigger = axis == PadAxis::TriggerLeft || axis == PadAxis::TriggerRight;
    setPadAxis(pad, int(axis), trigger ? int16_t(std::max<int>(value, 0) * 2 - 32767) : value);
}

}  // namespace testmode
