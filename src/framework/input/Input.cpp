// Input.cpp — the Input object's life: opening the pad in exclusive
// foreground mode with every axis ranged −1000…+1000, the default maps, the
// game's configuration, and releasing the pad. A pad that refuses a set-up
// step is released at once and the game runs on the keyboard.
#include "framework/input/Input.h"

#include "framework/Destroy.h"
#include "framework/core/MainWindow.h"

#include <cstring>
#include <string>

Input* input = nullptr;

namespace {

// Configuration position → logical button.
constexpr int ConfiguredButton[BUTTON_COUNT] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 9, 11, 13, 14, 15};

constexpr DWORD DefaultKeys[BUTTON_COUNT] = {'W', 'S', 'A',   'D',   'Z',   'X',   'C',       'V',
                                             '1', '2', VK_F1, VK_F2, VK_F3, VK_F4, VK_RETURN, VK_SPACE};

BOOL CALLBACK setAxisRange(LPCDIDEVICEOBJECTINSTANCEA object, LPVOID ref)
{
    auto* device = static_cast<IDirectInputDevice8A*>(ref);
    DIPROPRANGE range{};
    range.diph.dwSize = sizeof(DIPROPRANGE);
    range.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    range.diph.dwObj = object->dwType;
    range.diph.dwHow = DIPH_BYID;
    range.lMin = -AXIS_LIMIT;
    range.lMax = AXIS_LIMIT;
    return device->SetProperty(DIPROP_RANGE, &range.diph) == DI_OK ? DIENUM_CONTINUE : DIENUM_STOP;
}

IDirectInputDevice8A* openPad()
{
    if (!directInput || padListCount == 0) return nullptr;
    IDirectInputDevice8A* device = nullptr;
    if (FAILED(directInput->CreateDevice(padList[0].guidInstance, &device, nullptr)) || !device) return nullptr;
    if (device->SetDataFormat(&c_dfDIJoystick2) != DI_OK ||
        device->SetCooperativeLevel(MainWindow, DISCL_EXCLUSIVE | DISCL_FOREGROUND) != DI_OK) {
        device->Release();
        return nullptr;
    }
    DIPROPDWORD autocenter{};
    autocenter.diph.dwSize = sizeof(DIPROPDWORD);
    autocenter.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    autocenter.diph.dwObj = 0;
    autocenter.diph.dwHow = DIPH_DEVICE;
    autocenter.dwData = DIPROPAUTOCENTER_OFF;
    device->SetProperty(DIPROP_AUTOCENTER, &autocenter.diph);
    device->EnumObjects(setAxisRange, device, DIDFT_AXIS);
    device->Acquire();
    return device;
}

}  // namespace

Input::Input() : pad(nullptr), keyMap{}, padMap{}, buttons{}, padButtons{}, axis{}, padInstance{}
{
    openFirstPad();
    std::memcpy(keyMap, DefaultKeys, sizeof keyMap);
    for (int i = 0; i < BUTTON_COUNT; ++i) padMap[i] = i;  // axes lX, lY, lZ, lRx; button i reads entry i
}

Input::~Input()
{
    if (pad) pad->Unacquire();
    release(pad);
}

void Input::openFirstPad()
{
    pad = openPad();
    if (pad) padInstance = padList[0].guidInstance;
}

void Input::findPads()
{
    listPads();
    if (pad) {
        for (int i = 0; i < padListCount; ++i)
            if (padList[i].guidInstance == padInstance) return;
        pad->Unacquire();
        pad->Release();
        pad = nullptr;
        for (ButtonState& code : padButtons) code = BTN_IDLE;
    }
    openFirstPad();
    if (pad)
        OutputDebugStringA(("Input: game pad \"" + std::string(padList[0].tszInstanceName) + "\" opened\n").c_str());
}

void Input::setKeyMap(const BYTE (&keys)[BUTTON_COUNT])
{
    for (int position = 0; position < BUTTON_COUNT; ++position) keyMap[ConfiguredButton[position]] = keys[position];
}

void Input::setPadMap(const BYTE (&padBytes)[BUTTON_COUNT])
{
    for (int position = 0; position < BUTTON_COUNT; ++position) {
        const int button = ConfiguredButton[position];
        padMap[button] = position < AXIS_COUNT ? DWORD(padBytes[position]) : DWORD(padBytes[position]) - 1;
    }
}
