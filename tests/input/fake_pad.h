// fake_pad.h — a scripted IDirectInputDevice8A for tests of Input's own
// arithmetic: any DIJOYSTATE2 (POV values SDL cannot produce included) and
// any Poll / Acquire / GetDeviceState answers.
#pragma once

#include "framework/input/Input.h"

#include <cstring>

class FakePad final : public IDirectInputDevice8A {
public:
    FakePad() { centre(); }

    // Sticks centred, hat centred, no button down.
    void centre()
    {
        std::memset(&state, 0, sizeof state);
        for (DWORD& pov : state.rgdwPOV) pov = 0xFFFFFFFF;
    }
    void press(int zeroBasedButton, bool down) { state.rgbButtons[zeroBasedButton] = down ? 0x80 : 0; }

    HRESULT QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override
    {
        ++releases;
        return --refs;
    }
    HRESULT SetProperty(REFGUID, LPCDIPROPHEADER) override { return DI_OK; }
    HRESULT Acquire() override
    {
        ++acquires;
        return acquireResult;
    }
    HRESULT Unacquire() override
    {
        ++unacquires;
        return DI_OK;
    }
    HRESULT GetDeviceState(DWORD size, LPVOID data) override
    {
        if (stateResult != DI_OK) return stateResult;
        if (size != sizeof state) return DIERR_INVALIDPARAM;
        std::memcpy(data, &state, sizeof state);
        return DI_OK;
    }
    HRESULT SetDataFormat(LPCDIDATAFORMAT) override { return DI_OK; }
    HRESULT SetCooperativeLevel(HWND, DWORD) override { return DI_OK; }
    HRESULT EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA, LPVOID, DWORD) override { return DI_OK; }
    HRESULT Poll() override { return pollResult; }

    DIJOYSTATE2 state;
    HRESULT pollResult = DI_OK;
    HRESULT acquireResult = DI_OK;
    HRESULT stateResult = DI_OK;
    int acquires = 0;
    int unacquires = 0;
    int releases = 0;
    ULONG refs = 1;
};
