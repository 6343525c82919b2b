// device.cpp — IDirectInputDevice8A on an SDL pad: the standard joystick data
// format, cooperative levels with exclusive-foreground rules judged on the
// game's window (layer::windowHasFocus), per-axis ranges, and reading the
// pad into a DIJOYSTATE2.
//
// As on Windows, a foreground device that loses its window's focus, or whose
// pad is unplugged, is unacquired: the next Poll or GetDeviceState answers
// DIERR_INPUTLOST, later ones DIERR_NOTACQUIRED. Acquire answers
// DIERR_OTHERAPPHASPRIO while the window lacks focus and DIERR_UNPLUGGED once
// the pad is gone; it never answers DIERR_INPUTLOST. A pad plugged in again
// is a new device. Exclusive access is not enforced between two devices of
// this process on one pad.
#include "dinput/device.h"

#include "win32/com_object.h"
#include "win32/window_internal.h"
#include "dinput/joystick_subsystem.h"

#include <cstring>

namespace layer::input {

namespace {

bool isStandardJoystickFormat(LPCDIDATAFORMAT format)
{
    const DIDATAFORMAT& standard = c_dfDIJoystick2;
    if (format->dwSize != standard.dwSize || format->dwObjSize != standard.dwObjSize ||
        format->dwFlags != standard.dwFlags || format->dwDataSize != standard.dwDataSize ||
        format->dwNumObjs != standard.dwNumObjs || !format->rgodf)
        return false;
    return format->rgodf == standard.rgodf ||
           std::memcmp(format->rgodf, standard.rgodf, standard.dwNumObjs * sizeof(DIOBJECTDATAFORMAT)) == 0;
}

bool validCooperation(DWORD flags)
{
    const bool exclusive = flags & DISCL_EXCLUSIVE, nonExclusive = flags & DISCL_NONEXCLUSIVE;
    const bool foreground = flags & DISCL_FOREGROUND, background = flags & DISCL_BACKGROUND;
    return exclusive != nonExclusive && foreground != background;
}

class PadDevice final : public ComObject<IDirectInputDevice8A> {
public:
    PadDevice(IDirectInput8A* root, std::unique_ptr<PadSource> source) : root_(root), source_(std::move(source))
    {
        root_->AddRef();
    }

    HRESULT SetDataFormat(LPCDIDATAFORMAT format) override
    {
        if (!format) return DIERR_INVALIDPARAM;
        if (acquired_) return DIERR_ACQUIRED;
        if (!isStandardJoystickFormat(format)) {
            OutputDebugStringA("DirectInput: only the standard joystick format c_dfDIJoystick2 is provided\n");
            return DIERR_INVALIDPARAM;
        }
        formatSet_ = true;
        return DI_OK;
    }

    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override
    {
        if (!validCooperation(flags)) return DIERR_INVALIDPARAM;
        if (acquired_) return DIERR_ACQUIRED;
        if ((flags & DISCL_FOREGROUND) && !layer::sdlWindow(window)) return E_HANDLE;
        window_ = window;
        foreground_ = flags & DISCL_FOREGROUND;
        return DI_OK;
    }

    HRESULT SetProperty(REFGUID property, LPCDIPROPHEADER header) override
    {
        if (!header || header->dwHeaderSize != sizeof(DIPROPHEADER)) return DIERR_INVALIDPARAM;
        if (&property == &DIPROP_RANGE) return setRange(reinterpret_cast<const DIPROPRANGE*>(header));
        if (&property == &DIPROP_AUTOCENTER) {
            // No pad here has force feedback, so there is no spring to switch.
            const auto* value = reinterpret_cast<const DIPROPDWORD*>(header);
            if (header->dwSize != sizeof(DIPROPDWORD) || header->dwHow != DIPH_DEVICE || header->dwObj != 0 ||
                value->dwData > DIPROPAUTOCENTER_ON)
                return DIERR_INVALIDPARAM;
            return DI_OK;
        }
        return DIERR_UNSUPPORTED;
    }

    HRESULT EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID ref, DWORD flags) override
    {
        if (!callback) return DIERR_INVALIDPARAM;
        const DWORD wanted = DIDFT_GETTYPE(flags);
        for (const PadObject& object : source_->objects()) {
            if (wanted != DIDFT_ALL && !(DIDFT_GETTYPE(object.type) & wanted)) continue;
            DIDEVICEOBJECTINSTANCEA instance{};
            instance.dwSize = sizeof instance;
            instance.guidType = *object.guidType;
            instance.dwOfs = object.offset;
            instance.dwType = object.type;
            instance.dwFlags = object.flags;
            std::strncpy(instance.tszName, object.name.c_str(), sizeof instance.tszName - 1);
            instance.wUsagePage = object.usagePage;
            instance.wUsage = object.usage;
            if (callback(&instance, ref) == DIENUM_STOP) break;
        }
        return DI_OK;
    }

    HRESULT Acquire() override
    {
        if (!formatSet_) return DIERR_INVALIDPARAM;
        if (acquired_) return S_FALSE;
        refreshJoysticks();
        if (!source_->attached()) return DIERR_UNPLUGGED;
        if (foreground_ && !layer::windowHasFocus(window_)) return DIERR_OTHERAPPHASPRIO;
        acquired_ = true;
        return DI_OK;
    }

    HRESULT Unacquire() override
    {
        if (!acquired_) return DI_NOEFFECT;
        acquired_ = false;
        return DI_OK;
    }

    HRESULT Poll() override { return checkReadable(); }

    HRESULT GetDeviceState(DWORD size, LPVOID data) override
    {
        if (!data || !formatSet_ || size != sizeof(DIJOYSTATE2)) return DIERR_INVALIDPARAM;
        const HRESULT readable = checkReadable();
        if (FAILED(readable)) return readable;
        source_->read(*static_cast<DIJOYSTATE2*>(data), ranges_);
        return DI_OK;
    }

private:
    ~PadDevice() override
    {
        source_.reset();
        root_->Release();
    }

    // Refreshes SDL's view and drops the acquisition when the pad is gone or
    // the foreground window has lost the focus.
    HRESULT checkReadable()
    {
        if (!acquired_) return DIERR_NOTACQUIRED;
        refreshJoysticks();
        if (!source_->attached() || (foreground_ && !layer::windowHasFocus(window_))) {
            acquired_ = false;
            return DIERR_INPUTLOST;
        }
        return DI_OK;
    }

    HRESULT setRange(const DIPROPRANGE* range)
    {
        if (range->diph.dwSize != sizeof(DIPROPRANGE) || range->lMin >= range->lMax) return DIERR_INVALIDPARAM;
        const DWORD how = range->diph.dwHow, obj = range->diph.dwObj;
        if (how == DIPH_DEVICE) {
            if (obj != 0) return DIERR_INVALIDPARAM;
            for (AxisRange& axis : ranges_) axis = {range->lMin, range->lMax};
            return DI_OK;
        }
        if (how != DIPH_BYID && how != DIPH_BYOFFSET) return DIERR_INVALIDPARAM;
        for (const PadObject& object : source_->objects()) {
            const bool match = how == DIPH_BYOFFSET ? object.offset == obj
                                                    : DIDFT_GETINSTANCE(object.type) == DIDFT_GETINSTANCE(obj) &&
                                                          (DIDFT_GETTYPE(object.type) & DIDFT_GETTYPE(obj));
            if (!match) continue;
            if (!(DIDFT_GETTYPE(object.type) & DIDFT_AXIS)) return DIERR_UNSUPPORTED;
            ranges_[object.offset / sizeof(LONG)] = {range->lMin, range->lMax};
            return DI_OK;
        }
        return DIERR_OBJECTNOTFOUND;
    }

    IDirectInput8A* root_;
    std::unique_ptr<PadSource> source_;
    bool formatSet_ = false;
    bool acquired_ = false;
    bool foreground_ = false;
    HWND window_ = nullptr;
    AxisRanges ranges_{};
};

}  // namespace

IDirectInputDevice8A* createPadDevice(IDirectInput8A* root, std::unique_ptr<PadSource> source)
{
    return new PadDevice(root, std::move(source));
}

}  // namespace layer::input
