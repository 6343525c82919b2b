// pad_source.cpp — an opened SDL pad (PadSource), the raw layout of
// unrecognised joysticks, and the conversions both layouts share: axis
// scaling, POV angles and the DirectInput object descriptions.
#include "dinput/pad_source.h"

#include "dinput/controller_layout.h"

#include <SDL.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace layer::input {

namespace {

constexpr int PovSlots = 4;
constexpr int ButtonSlots = 128;
constexpr DWORD PovCentred = 0xFFFFFFFF;
constexpr WORD GenericDesktopPage = 0x01;
constexpr WORD ButtonPage = 0x09;

struct AxisSlotInfo {
    const GUID* guid;
    const char* name;
    WORD usage;
};

// DirectInput's object names and HID usages of the eight position slots.
const AxisSlotInfo& slotInfo(int slot)
{
    static const AxisSlotInfo slots[AxisSlots] = {
        {&GUID_XAxis, "X Axis", 0x30},      {&GUID_YAxis, "Y Axis", 0x31},      {&GUID_ZAxis, "Z Axis", 0x32},
        {&GUID_RxAxis, "X Rotation", 0x33}, {&GUID_RyAxis, "Y Rotation", 0x34}, {&GUID_RzAxis, "Z Rotation", 0x35},
        {&GUID_Slider, "Slider", 0x36},     {&GUID_Slider, "Slider", 0x36},
    };
    return slots[slot];
}

}  // namespace

LONG& axisField(DIJOYSTATE2& state, int slot)
{
    static constexpr LONG DIJOYSTATE2::*fields[6] = {&DIJOYSTATE2::lX,  &DIJOYSTATE2::lY,  &DIJOYSTATE2::lZ,
                                                     &DIJOYSTATE2::lRx, &DIJOYSTATE2::lRy, &DIJOYSTATE2::lRz};
    return slot < 6 ? state.*fields[slot] : state.rglSlider[slot - 6];
}

LONG scaleAxis(int raw, const AxisRange& range)
{
    const int64_t span = int64_t(range.max) - range.min;
    const int64_t offset = int64_t(std::clamp(raw, -32768, 32767)) + 32768;
    // Round to nearest, so that SDL's centre (0) lands on the range's centre.
    const int64_t scaled = (offset * span * 2 + 65535) / (65535 * 2);
    return LONG(range.min + scaled);
}

DWORD povFrom(bool up, bool right, bool down, bool left)
{
    const int vertical = int(down) - int(up);
    const int horizontal = int(right) - int(left);
    if (vertical == 0 && horizontal == 0) return PovCentred;
    // Indexed by (vertical + 1) * 3 + (horizontal + 1).
    static const DWORD angles[9] = {31500, 0, 4500, 27000, PovCentred, 9000, 22500, 18000, 13500};
    return angles[(vertical + 1) * 3 + (horizontal + 1)];
}

PadObject axisObject(int slot)
{
    const AxisSlotInfo& info = slotInfo(slot);
    return {info.guid,
            DWORD(offsetof(DIJOYSTATE2, lX) + 4 * slot),
            DWORD(DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(slot)),
            DIDOI_ASPECTPOSITION,
            info.name,
            GenericDesktopPage,
            info.usage};
}

PadObject povObject(int instance)
{
    return {&GUID_POV,
            DWORD(offsetof(DIJOYSTATE2, rgdwPOV) + 4 * instance),
            DWORD(DIDFT_POV | DIDFT_MAKEINSTANCE(instance)),
            0,
            "Hat Switch",
            GenericDesktopPage,
            0x39};
}

PadObject buttonObject(int instance)
{
    return {&GUID_Button,
            DWORD(offsetof(DIJOYSTATE2, rgbButtons) + instance),
            DWORD(DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(instance)),
            0,
            "Button " + std::to_string(instance + 1),
            ButtonPage,
            WORD(instance + 1)};
}

std::unique_ptr<PadSource> PadSource::open(int deviceIndex)
{
    if (SDL_IsGameController(deviceIndex)) {
        SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
        if (!controller) return nullptr;
        return std::unique_ptr<PadSource>(new PadSource(SDL_GameControllerGetJoystick(controller), controller));
    }
    SDL_Joystick* joystick = SDL_JoystickOpen(deviceIndex);
    if (!joystick) return nullptr;
    return std::unique_ptr<PadSource>(new PadSource(joystick, nullptr));
}

PadSource::PadSource(SDL_Joystick* joystick, SDL_GameController* controller)
    : joystick_(joystick), controller_(controller)
{
    if (controller_) objects_ = controllerObjects(controller_);
    else listRawObjects();
}

PadSource::~PadSource()
{
    if (controller_) SDL_GameControllerClose(controller_);
    else SDL_JoystickClose(joystick_);
}

bool PadSource::attached() const { return SDL_JoystickGetAttached(joystick_) == SDL_TRUE; }

void PadSource::listRawObjects()
{
    const int axes = std::min(SDL_JoystickNumAxes(joystick_), AxisSlots);
    const int hats = std::min(SDL_JoystickNumHats(joystick_), PovSlots);
    const int buttons = std::min(SDL_JoystickNumButtons(joystick_), ButtonSlots);
    for (int i = 0; i < axes; ++i) objects_.push_back(axisObject(i));
    for (int i = 0; i < hats; ++i) objects_.push_back(povObject(i));
    for (int i = 0; i < buttons; ++i) objects_.push_back(buttonObject(i));
}

void PadSource::read(DIJOYSTATE2& state, const AxisRanges& ranges) const
{
    std::memset(&state, 0, sizeof state);
    for (DWORD& pov : state.rgdwPOV) pov = PovCentred;
    if (controller_) readController(controller_, state, ranges);
    else readRaw(state, ranges);
}

void PadSource::readRaw(DIJOYSTATE2& state, const AxisRanges& ranges) const
{
    const int axes = std::min(SDL_JoystickNumAxes(joystick_), AxisSlots);
    for (int i = 0; i < axes; ++i) axisField(state, i) = scaleAxis(SDL_JoystickGetAxis(joystick_, i), ranges[i]);
    const int hats = std::min(SDL_JoystickNumHats(joystick_), PovSlots);
    for (int i = 0; i < hats; ++i) {
        const Uint8 hat = SDL_JoystickGetHat(joystick_, i);
        state.rgdwPOV[i] = povFrom(hat & SDL_HAT_UP, hat & SDL_HAT_RIGHT, hat & SDL_HAT_DOWN, hat & SDL_HAT_LEFT);
    }
    const int buttons = std::min(SDL_JoystickNumButtons(joystick_), ButtonSlots);
    for (int i = 0; i < buttons; ++i) state.rgbButtons[i] = SDL_JoystickGetButton(joystick_, i) ? 0x80 : 0;
}

}  // namespace layer::input
