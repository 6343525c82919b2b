// direct_input.cpp — DirectInput8Create and the IDirectInput8A root:
// enumerating the attached game controllers (recognised controllers, and
// joysticks with two axes and four buttons at least) and opening one by its
// instance GUID. The root keeps SDL's joystick subsystem up from creation to its last
// release. Keyboard and mouse devices are not offered: the game polls them
// through user32.
//
// A pad's instance GUID carries SDL's joystick instance id, which SDL never
// reuses within a run; its product GUID follows DirectInput's
// "PIDVID" form (vendor and product id in the first word).
#include "dinput/device.h"
#include "dinput/joystick_subsystem.h"
#include "dinput/pad_source.h"
#include "host/host.h"
#include "win32/com_object.h"

#include <SDL.h>

#include <cstring>
#include <vector>

namespace layer::input {

namespace {

constexpr uint16_t InstanceMark2 = 0x5344;  // "SD"
constexpr uint16_t InstanceMark3 = 0x4C4A;  // "LJ"
constexpr uint8_t InstanceMark4[8] = {'D', 'I', 'N', 'P', 'U', 'T', '8', 'P'};
constexpr WORD GenericDesktopPage = 0x01;
constexpr WORD JoystickUsage = 0x04;
constexpr WORD GamePadUsage = 0x05;

GUID instanceGuid(SDL_JoystickID id)
{
    GUID guid{uint32_t(id), InstanceMark2, InstanceMark3, {}};
    std::memcpy(guid.Data4, InstanceMark4, sizeof guid.Data4);
    return guid;
}

bool isInstanceGuid(const GUID& guid)
{
    return guid.Data2 == InstanceMark2 && guid.Data3 == InstanceMark3 &&
           std::memcmp(guid.Data4, InstanceMark4, sizeof guid.Data4) == 0;
}

DIDEVICEINSTANCEA describe(int deviceIndex)
{
    const bool recognised = SDL_IsGameController(deviceIndex);
    DIDEVICEINSTANCEA d{};
    d.dwSize = sizeof d;
    d.guidInstance = instanceGuid(SDL_JoystickGetDeviceInstanceID(deviceIndex));
    d.guidProduct = {uint32_t(SDL_JoystickGetDeviceVendor(deviceIndex)) |
                         uint32_t(SDL_JoystickGetDeviceProduct(deviceIndex)) << 16,
                     0,
                     0,
                     {0, 0, 'P', 'I', 'D', 'V', 'I', 'D'}};
    d.dwDevType =
        (recognised ? DI8DEVTYPE_GAMEPAD : DI8DEVTYPE_JOYSTICK) | DI8DEVTYPEJOYSTICK_STANDARD << 8 | DIDEVTYPE_HID;
    const char* name = recognised ? SDL_GameControllerNameForIndex(deviceIndex) : SDL_JoystickNameForIndex(deviceIndex);
    if (!name) name = "Game controller";
    std::strncpy(d.tszInstanceName, name, sizeof d.tszInstanceName - 1);
    std::strncpy(d.tszProductName, name, sizeof d.tszProductName - 1);
    d.wUsagePage = GenericDesktopPage;
    d.wUsage = recognised ? GamePadUsage : JoystickUsage;
    return d;
}

// A recognised controller, or a joystick with at least two axes and four
// buttons; anything less (an accelerometer shown as a joystick, say) is no
// game controller.
bool gameController(int deviceIndex)
{
    if (SDL_IsGameController(deviceIndex)) return true;
    SDL_Joystick* joystick = SDL_JoystickOpen(deviceIndex);
    if (!joystick) return false;
    const bool enough = SDL_JoystickNumAxes(joystick) >= 2 && SDL_JoystickNumButtons(joystick) >= 4;
    SDL_JoystickClose(joystick);
    return enough;
}

bool classIncludes(DWORD devType, const DIDEVICEINSTANCEA& pad)
{
    if (devType == DI8DEVCLASS_ALL || devType == DI8DEVCLASS_GAMECTRL) return true;
    return devType == (pad.dwDevType & 0xFF);  // a DI8DEVTYPE_* asks for one kind
}

class DirectInput8 final : public ComObject<IDirectInput8A> {
public:
    DirectInput8() : joysticks_(startJoysticks()) {}

    void released(ULONG left) override
    {
        if (left == 0) host::current().recordCall("IDirectInput8::Release");
    }

    HRESULT EnumDevices(DWORD devType, LPDIENUMDEVICESCALLBACKA callback, LPVOID ref, DWORD /*flags*/) override
    {
        if (!callback) return DIERR_INVALIDPARAM;
        if (!joysticks_) return DI_OK;
        // Only attached pads are known, so DIEDFL_ATTACHEDONLY changes nothing.
        refreshJoysticks();
        std::vector<DIDEVICEINSTANCEA> pads;
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (!gameController(i)) continue;
            DIDEVICEINSTANCEA pad = describe(i);
            if (classIncludes(devType, pad)) pads.push_back(pad);
        }
        for (const DIDEVICEINSTANCEA& pad : pads)
            if (callback(&pad, ref) == DIENUM_STOP) break;
        return DI_OK;
    }

    HRESULT CreateDevice(REFGUID instance, LPDIRECTINPUTDEVICE8A* device, LPUNKNOWN outer) override
    {
        if (!device) return DIERR_INVALIDPARAM;
        *device = nullptr;
        if (outer) return DIERR_INVALIDPARAM;
        if (!joysticks_ || !isInstanceGuid(instance)) return DIERR_DEVICENOTREG;
        refreshJoysticks();
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (uint32_t(SDL_JoystickGetDeviceInstanceID(i)) != instance.Data1) continue;
            std::unique_ptr<PadSource> source = PadSource::open(i);
            if (!source) {
                OutputDebugStringA(("DirectInput: cannot open the pad: " + std::string(SDL_GetError()) + "\n").c_str());
                return DIERR_DEVICENOTREG;
            }
            *device = createPadDevice(this, std::move(source));
            return DI_OK;
        }
        return DIERR_DEVICENOTREG;
    }

private:
    ~DirectInput8() override
    {
        if (joysticks_) stopJoysticks();
    }

    void* findInterface(REFIID riid) override
    {
        return riid == IID_IDirectInput8A ? static_cast<IDirectInput8A*>(this) : nullptr;
    }

    const bool joysticks_;
};

}  // namespace

}  // namespace layer::input

HRESULT DirectInput8Create(HINSTANCE instance, DWORD version, REFIID riid, LPVOID* out, LPUNKNOWN outer)
{
    if (!out) return DIERR_INVALIDPARAM;
    *out = nullptr;
    if (!instance || outer) return DIERR_INVALIDPARAM;
    if (version < 0x0800) return DIERR_OLDDIRECTINPUTVERSION;
    if (version > 0x0800) return DIERR_BETADIRECTINPUTVERSION;
    if (riid != IID_IDirectInput8A) return DIERR_NOINTERFACE;
    layer::host::current().recordCall("DirectInput8Create");
    *out = static_cast<IDirectInput8A*>(new layer::input::DirectInput8());
    return DI_OK;
}
