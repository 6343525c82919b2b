// The DirectInput layer on SDL virtual pads, at the level of its own calls:
// creation arguments, enumeration, the set-up rules of a device, axis
// ranges, the objects it lists, and the answers Windows gives when the
// window loses the focus or the pad is unplugged.
#include "framework/input/DirectInputRoot.h"

#include "platform/testing.h"

#include "support/test_window.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

BOOL CALLBACK collectPad(LPCDIDEVICEINSTANCEA instance, LPVOID ref)
{
    static_cast<std::vector<DIDEVICEINSTANCEA>*>(ref)->push_back(*instance);
    return DIENUM_CONTINUE;
}

BOOL CALLBACK stopAtFirst(LPCDIDEVICEINSTANCEA, LPVOID ref)
{
    ++*static_cast<int*>(ref);
    return DIENUM_STOP;
}

BOOL CALLBACK collectObject(LPCDIDEVICEOBJECTINSTANCEA object, LPVOID ref)
{
    static_cast<std::vector<DIDEVICEOBJECTINSTANCEA>*>(ref)->push_back(*object);
    return DIENUM_CONTINUE;
}

class DirectInputLayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testmode::enable();
        window = createTestWindow(320, 240);
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(DirectInput8Create(GetModuleHandleA(nullptr), 0x0800, IID_IDirectInput8A,
                                     reinterpret_cast<LPVOID*>(&root), nullptr),
                  DI_OK);
    }
    void TearDown() override
    {
        if (device) device->Release();
        if (root) root->Release();
        testmode::detachAllPads();
        DestroyWindow(window);
        testmode::reset();
    }

    std::vector<DIDEVICEINSTANCEA> pads()
    {
        std::vector<DIDEVICEINSTANCEA> found;
        EXPECT_EQ(root->EnumDevices(DI8DEVCLASS_GAMECTRL, collectPad, &found, DIEDFL_ATTACHEDONLY), DI_OK);
        return found;
    }
    // Opens the first pad with the game's set-up: standard format, exclusive foreground.
    void openFirstPad()
    {
        const auto found = pads();
        ASSERT_FALSE(found.empty());
        ASSERT_EQ(root->CreateDevice(found[0].guidInstance, &device, nullptr), DI_OK);
        ASSERT_EQ(device->SetDataFormat(&c_dfDIJoystick2), DI_OK);
        ASSERT_EQ(device->SetCooperativeLevel(window, DISCL_EXCLUSIVE | DISCL_FOREGROUND), DI_OK);
    }
    HRESULT setRange(DWORD obj, DWORD how, LONG min, LONG max)
    {
        DIPROPRANGE range{{sizeof(DIPROPRANGE), sizeof(DIPROPHEADER), obj, how}, min, max};
        return device->SetProperty(DIPROP_RANGE, &range.diph);
    }
    DIJOYSTATE2 read()
    {
        DIJOYSTATE2 state{};
        EXPECT_EQ(device->GetDeviceState(sizeof state, &state), DI_OK);
        return state;
    }

    HWND window = nullptr;
    IDirectInput8A* root = nullptr;
    IDirectInputDevice8A* device = nullptr;
};

TEST_F(DirectInputLayerTest, CreationChecksItsArgumentsAndEnumerationListsAttachedPads)
{
    LPVOID other = reinterpret_cast<LPVOID>(1);
    const HINSTANCE module = GetModuleHandleA(nullptr);
    EXPECT_EQ(DirectInput8Create(module, 0x0700, IID_IDirectInput8A, &other, nullptr), DIERR_OLDDIRECTINPUTVERSION);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(DirectInput8Create(module, 0x0800, IID_IUnknown, &other, nullptr), DIERR_NOINTERFACE);
    EXPECT_EQ(DirectInput8Create(nullptr, 0x0800, IID_IDirectInput8A, &other, nullptr), DIERR_INVALIDPARAM);

    EXPECT_TRUE(pads().empty());
    const int controller = testmode::attachController();
    const int joystick = testmode::attachJoystick(2, 4, 1);
    ASSERT_GE(controller, 0);
    ASSERT_GE(joystick, 0);
    const auto found = pads();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].dwSize, sizeof(DIDEVICEINSTANCEA));
    EXPECT_EQ(found[0].dwDevType & 0xFF, DWORD(DI8DEVTYPE_GAMEPAD));
    EXPECT_EQ(found[1].dwDevType & 0xFF, DWORD(DI8DEVTYPE_JOYSTICK));
    EXPECT_NE(found[0].guidInstance, found[1].guidInstance);
    EXPECT_STRNE(found[0].tszProductName, "");

    int calls = 0;
    root->EnumDevices(DI8DEVCLASS_GAMECTRL, stopAtFirst, &calls, DIEDFL_ATTACHEDONLY);
    EXPECT_EQ(calls, 1);
    std::vector<DIDEVICEINSTANCEA> keyboards;
    root->EnumDevices(DI8DEVCLASS_KEYBOARD, collectPad, &keyboards, DIEDFL_ATTACHEDONLY);
    EXPECT_TRUE(keyboards.empty());

    // A detached pad's GUID no longer opens.
    ASSERT_TRUE(testmode::detachPad(joystick));
    EXPECT_EQ(root->CreateDevice(found[1].guidInstance, &device, nullptr), DIERR_DEVICENOTREG);
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(pads().size(), 1u);
}

TEST_F(DirectInputLayerTest, DeviceSetUpRulesAndExclusiveForegroundReading)
{
    ASSERT_GE(testmode::attachController(), 0);
    const auto found = pads();
    ASSERT_EQ(root->CreateDevice(found[0].guidInstance, &device, nullptr), DI_OK);
    EXPECT_EQ(device->Acquire(), DIERR_INVALIDPARAM);  // no data format yet
    DIDATAFORMAT keyboardLike = c_dfDIJoystick2;
    keyboardLike.dwDataSize = 256;
    EXPECT_EQ(device->SetDataFormat(&keyboardLike), DIERR_INVALIDPARAM);
    EXPECT_EQ(device->SetDataFormat(&c_dfDIJoystick2), DI_OK);
    EXPECT_EQ(device->SetCooperativeLevel(nullptr, DISCL_EXCLUSIVE | DISCL_FOREGROUND), E_HANDLE);
    EXPECT_EQ(device->SetCooperativeLevel(window, DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_FOREGROUND),
              DIERR_INVALIDPARAM);
    EXPECT_EQ(device->SetCooperativeLevel(window, DISCL_EXCLUSIVE | DISCL_FOREGROUND), DI_OK);

    DIJOYSTATE2 state{};
    EXPECT_EQ(device->GetDeviceState(sizeof state, &state), DIERR_NOTACQUIRED);
    testmode::setFocus(false);
    EXPECT_EQ(device->Acquire(), DIERR_OTHERAPPHASPRIO);
    testmode::setFocus(true);
    EXPECT_EQ(device->Acquire(), DI_OK);
    EXPECT_EQ(device->Acquire(), S_FALSE);
    EXPECT_EQ(device->SetDataFormat(&c_dfDIJoystick2), DIERR_ACQUIRED);
    EXPECT_EQ(device->GetDeviceState(100, &state), DIERR_INVALIDPARAM);
    EXPECT_EQ(device->Poll(), DI_OK);

    // Losing the focus unacquires: "input lost" once, then "not acquired".
    testmode::setFocus(false);
    EXPECT_EQ(device->Poll(), DIERR_INPUTLOST);
    EXPECT_EQ(device->GetDeviceState(sizeof state, &state), DIERR_NOTACQUIRED);
    testmode::setFocus(true);
    EXPECT_EQ(device->Acquire(), DI_OK);
    EXPECT_EQ(device->GetDeviceState(sizeof state, &state), DI_OK);
}

TEST_F(DirectInputLayerTest, UnpluggedPadFailsEveryReadAndCannotBeAcquired)
{
    const int pad = testmode::attachController();
    ASSERT_GE(pad, 0);
    openFirstPad();
    ASSERT_EQ(device->Acquire(), DI_OK);
    ASSERT_TRUE(testmode::detachPad(pad));
    DIJOYSTATE2 state{};
    EXPECT_EQ(device->GetDeviceState(sizeof state, &state), DIERR_INPUTLOST);
    EXPECT_EQ(device->Acquire(), DIERR_UNPLUGGED);
    EXPECT_EQ(device->Poll(), DIERR_NOTACQUIRED);
    EXPECT_EQ(device->Unacquire(), DI_NOEFFECT);
}

TEST_F(DirectInputLayerTest, ControllerObjectsAndRangesScaleTheReadings)
{
    const int pad = testmode::attachController();
    ASSERT_GE(pad, 0);
    openFirstPad();

    std::vector<DIDEVICEOBJECTINSTANCEA> axes, buttons, povs;
    device->EnumObjects(collectObject, &axes, DIDFT_AXIS);
    device->EnumObjects(collectObject, &buttons, DIDFT_BUTTON);
    device->EnumObjects(collectObject, &povs, DIDFT_POV);
    ASSERT_EQ(axes.size(), 6u);
    // The twelve buttons every full pad has come first, numbered 1…12.
    ASSERT_GE(buttons.size(), 12u);
    EXPECT_EQ(DIDFT_GETINSTANCE(buttons[9].dwType), 9);
    EXPECT_STREQ(buttons[9].tszName, "Button 10");
    EXPECT_EQ(povs.size(), 1u);
    for (const auto& axis : axes) {
        EXPECT_EQ(DIDFT_GETTYPE(axis.dwType) & DIDFT_AXIS, DWORD(DIDFT_ABSAXIS));
        EXPECT_LT(axis.dwOfs, DWORD(offsetof(DIJOYSTATE2, rglSlider)));
    }

    // The device's own range until one is set: 0…65535.
    testmode::setPadAxis(pad, testmode::PadAxis::LeftX, 32767);
    ASSERT_EQ(device->Acquire(), DI_OK);
    EXPECT_EQ(read().lX, 65535);
    EXPECT_EQ(read().lY, 32768);
    ASSERT_EQ(device->Unacquire(), DI_OK);

    EXPECT_EQ(setRange(axes[0].dwType, DIPH_BYID, 10, 10), DIERR_INVALIDPARAM);
    EXPECT_EQ(setRange(buttons[0].dwType, DIPH_BYID, -1000, 1000), DIERR_UNSUPPORTED);
    EXPECT_EQ(setRange(DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(7), DIPH_BYID, -1000, 1000), DIERR_OBJECTNOTFOUND);
    for (const auto& axis : axes) EXPECT_EQ(setRange(axis.dwType, DIPH_BYID, -1000, 1000), DI_OK);
    EXPECT_EQ(setRange(DWORD(offsetof(DIJOYSTATE2, lY)), DIPH_BYOFFSET, 0, 100), DI_OK);

    DIPROPDWORD autocenter{{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, DIPROPAUTOCENTER_OFF};
    EXPECT_EQ(device->SetProperty(DIPROP_AUTOCENTER, &autocenter.diph), DI_OK);

    testmode::setPadAxis(pad, testmode::PadAxis::LeftX, -32768);
    testmode::setPadAxis(pad, testmode::PadAxis::RightY, 32767);
    testmode::setPadAxis(pad, testmode::PadAxis::TriggerLeft, 32767);
    testmode::setPadButton(pad, testmode::PadButton::DpadDown, true);
    testmode::setPadButton(pad, testmode::PadButton::DpadLeft, true);
    testmode::setPadButton(pad, testmode::PadButton::B, true);
    ASSERT_EQ(device->Acquire(), DI_OK);
    const DIJOYSTATE2 state = read();
    EXPECT_EQ(state.lX, -1000);
    EXPECT_EQ(state.lY, 50);      // centred in 0…100
    EXPECT_EQ(state.lRz, 1000);   // right stick Y
    EXPECT_EQ(state.lRx, 1000);   // left trigger, fully pulled
    EXPECT_EQ(state.lRy, -1000);  // right trigger at rest
    EXPECT_EQ(state.rgdwPOV[0], 22500u);
    EXPECT_EQ(state.rgdwPOV[1], 0xFFFFFFFFu);
    EXPECT_EQ(state.rgbButtons[2], 0x80);  // B (east) is button 3
    EXPECT_EQ(state.rgbButtons[6], 0x80);  // the left trigger is also button 7
    EXPECT_EQ(state.rgbButtons[1], 0);
}

}  // namespace
