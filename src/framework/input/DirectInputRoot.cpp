// DirectInputRoot.cpp — creating and releasing the DirectInput 8 interface,
// and listing the attached game controllers into padList.
#include "framework/input/DirectInputRoot.h"

#include "framework/Destroy.h"

#include <cstring>

IDirectInput8A* directInput = nullptr;
DIDEVICEINSTANCEA padList[PAD_LIST_SIZE];
int padListCount = 0;

namespace {

BOOL CALLBACK addPad(LPCDIDEVICEINSTANCEA instance, LPVOID /*ref*/)
{
    // An enumerator that went on after DIENUM_STOP must not run past the list.
    if (padListCount >= PAD_LIST_SIZE) return DIENUM_STOP;
    std::memcpy(&padList[padListCount], instance, sizeof(DIDEVICEINSTANCEA));
    ++padListCount;
    return padListCount < PAD_LIST_SIZE ? DIENUM_CONTINUE : DIENUM_STOP;
}

}  // namespace

void createDirectInput()
{
    if (FAILED(DirectInput8Create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8A,
                                  reinterpret_cast<LPVOID*>(&directInput), nullptr))) {
        directInput = nullptr;
        return;
    }
    listPads();
}

void listPads()
{
    padListCount = 0;
    if (directInput) directInput->EnumDevices(DI8DEVCLASS_GAMECTRL, addPad, nullptr, DIEDFL_ATTACHEDONLY);
}

void releaseDirectInput() { release(directInput); }
