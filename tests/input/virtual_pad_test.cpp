// Input on the real DirectInput layer with SDL virtual pads: the start
// button from the keyboard and from a pad, the fixed layout of a recognised
// controller, a raw joystick, a pad that is unplugged or loses the focus
// mid-round, and pads plugged in and pulled out while the game runs.
#include "framework/input/GameInputConfig.h"

#include "framework/core/MainWindow.h"

#include "platform/testing.h"

#include "support/test_window.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using testmode::PadAxis;
using testmode::PadButton;

class VirtualPadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testmode::enable();
        MainWindow = createTestWindow(320, 240);
        ASSERT_NE(MainWindow, nullptr);
    }
    void TearDown() override
    {
        delete input;
        input = nullptr;
        releaseDirectInput();
        testmode::detachAllPads();
        DestroyWindow(MainWindow);
        MainWindow = nullptr;
        testmode::reset();
    }
    // The start-up steps of input, as the game runs them.
    void startInput()
    {
        createDirectInput();
        input = new Input();
        input->setKeyMap(GAME_KEY_CONFIG);
        input->setPadMap(GAME_PAD_CONFIG);
    }
    // Updates once and returns the code of logical button `button`.
    int frame(int button)
    {
        input->update();
        return input->buttons[button];
    }
};

TEST_F(VirtualPadTest, SpaceAndPadStartEachGiveOnePressedFramePerPress)
{
    const int pad = testmode::attachController();
    ASSERT_GE(pad, 0);
    startInput();
    ASSERT_EQ(padListCount, 1);
    ASSERT_NE(input->pad, nullptr);

    std::vector<int> codes;
    for (int press = 0; press < 2; ++press) {
        testmode::setPadButton(pad, PadButton::Start, true);
        codes.push_back(frame(15));
        codes.push_back(frame(15));
        testmode::setPadButton(pad, PadButton::Start, false);
        codes.push_back(frame(15));
        codes.push_back(frame(15));
    }
    testmode::setKey(VK_SPACE, true);
    codes.push_back(frame(15));
    codes.push_back(frame(15));
    EXPECT_EQ(codes, (std::vector<int>{3, 1, 2, 0, 3, 1, 2, 0, 3, 1}));
}

TEST_F(VirtualPadTest, NoPadLeavesTheKeyboardAlone)
{
    startInput();
    EXPECT_NE(directInput, nullptr);
    EXPECT_EQ(padListCount, 0);
    EXPECT_EQ(input->pad, nullptr);
    testmode::setKey(VK_SPACE, true);
    testmode::setKey(VK_RIGHT, true);
    testmode::setKey(VK_DOWN, true);
    EXPECT_EQ(frame(15), BTN_PRESSED);
    EXPECT_EQ(input->axis[0], 707);
    EXPECT_EQ(input->axis[1], 707);
}

TEST_F(VirtualPadTest, RecognisedControllerHasTheFixedLayout)
{
    const int pad = testmode::attachController();
    ASSERT_GE(pad, 0);
    startInput();
    ASSERT_NE(input->pad, nullptr);

    // Logical button ← controller button, through the game's pad map.
    const std::pair<int, PadButton> buttons[] = {
        {4, PadButton::A},
        {5, PadButton::B},
        {6, PadButton::X},
        {7, PadButton::Y},
        {10, PadButton::LeftShoulder},
        {11, PadButton::RightShoulder},
        {12, PadButton::LeftStick},
        {13, PadButton::RightStick},
        {14, PadButton::Back},
        {15, PadButton::Start},
    };
    for (const auto& [logical, button] : buttons) {
        testmode::setPadButton(pad, button, true);
        input->update();
        for (int i = 4; i < BUTTON_COUNT; ++i)
            EXPECT_EQ(input->padButtons[i] & 1, i == logical ? 1 : 0) << "logical " << logical << ", reading " << i;
        testmode::setPadButton(pad, button, false);
        input->update();
    }

    // Triggers are buttons 7 and 8 (logical 8 and 9) once pulled past a quarter.
    testmode::setPadAxis(pad, PadAxis::TriggerLeft, 4000);
    testmode::setPadAxis(pad, PadAxis::TriggerRight, 20000);
    input->update();
    EXPECT_EQ(input->padButtons[8], BTN_IDLE);
    EXPECT_EQ(input->padButtons[9], BTN_PRESSED);

    // The d-pad is the hat: up and right together hold buttons 0 and 3.
    testmode::setPadButton(pad, PadButton::DpadUp, true);
    testmode::setPadButton(pad, PadButton::DpadRight, true);
    input->update();
    EXPECT_EQ(input->padButtons[PAD_UP], BTN_PRESSED);
    EXPECT_EQ(input->padButtons[PAD_DOWN], BTN_IDLE);
    EXPECT_EQ(input->padButtons[PAD_LEFT], BTN_IDLE);
    EXPECT_EQ(input->padButtons[PAD_RIGHT], BTN_PRESSED);

    // Left stick in the corner is clamped; the right stick is lZ and lRz.
    testmode::setPadAxis(pad, PadAxis::LeftX, 32767);
    testmode::setPadAxis(pad, PadAxis::LeftY, -32768);
    testmode::setPadAxis(pad, PadAxis::RightX, -32768);
    testmode::setPadAxis(pad, PadAxis::RightY, 0);
    input->update();
    EXPECT_EQ(input->axis[0], 707);
    EXPECT_EQ(input->axis[1], -707);
    EXPECT_EQ(input->axis[2], -1000);
    EXPECT_EQ(input->axis[3], 0);
}

TEST_F(VirtualPadTest, RawJoystickPresentsItsOwnAxesHatAndButtons)
{
    const int pad = testmode::attachJoystick(6, 12, 1);
    ASSERT_GE(pad, 0);
    startInput();
    ASSERT_NE(input->pad, nullptr);

    testmode::setPadButton(pad, 9, true);  // raw button 9 is pad label 10
    testmode::setPadHat(pad, 0, testmode::HatRight);
    testmode::setPadAxis(pad, 5, 32767);  // lRz: the second stick's Y in the game map
    testmode::setPadAxis(pad, 3, 32767);  // lRx: not mapped
    input->update();
    EXPECT_EQ(input->buttons[15], BTN_PRESSED);
    EXPECT_EQ(input->padButtons[PAD_RIGHT], BTN_PRESSED);
    EXPECT_EQ(input->padButtons[PAD_UP], BTN_IDLE);
    EXPECT_EQ(input->axis[3], 1000);
    EXPECT_EQ(input->axis[2], 0);
}

TEST_F(VirtualPadTest, UnplugAndFocusLossLetThePadButtonsGo)
{
    const int pad = testmode::attachController();
    ASSERT_GE(pad, 0);
    startInput();
    testmode::setPadButton(pad, PadButton::Start, true);
    testmode::setPadAxis(pad, PadAxis::LeftX, 32767);
    frame(15);
    ASSERT_EQ(frame(15), BTN_HELD);

    // In the background the pad cannot be read: its buttons go up, axes fall to 0.
    testmode::setFocus(false);
    EXPECT_EQ(frame(15), BTN_RELEASED);
    EXPECT_EQ(input->axis[0], 0);
    testmode::setFocus(true);
    EXPECT_EQ(frame(15), BTN_PRESSED);  // re-acquired and read again, still held
    EXPECT_EQ(input->axis[0], 1000);

    // Unplugged with the button held: it reads released, then idle, never stuck.
    ASSERT_TRUE(testmode::detachPad(pad));
    testmode::setKey('Z', true);
    EXPECT_EQ(frame(15), BTN_RELEASED);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(frame(15), BTN_IDLE);
        EXPECT_EQ(input->axis[0], 0);
    }
    EXPECT_EQ(input->buttons[4], BTN_HELD);
}

// The messages the layer posted since the last call: how many were
// WM_DEVICECHANGE.
int deviceChanges()
{
    int count = 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) count += msg.message == WM_DEVICECHANGE;
    return count;
}

TEST_F(VirtualPadTest, PadsComeAndGoWhileTheGameRuns)
{
    startInput();
    ASSERT_EQ(input->pad, nullptr);
    deviceChanges();

    // Something that is no game controller (three axes, no buttons: an
    // accelerometer) is never listed nor opened.
    const int sensor = testmode::attachJoystick(3, 0, 0);
    ASSERT_GE(sensor, 0);
    EXPECT_GE(deviceChanges(), 1);
    input->findPads();
    EXPECT_EQ(padListCount, 0);
    EXPECT_EQ(input->pad, nullptr);

    // A pad plugged in after start is announced, found and works.
    const int first = testmode::attachController();
    ASSERT_GE(first, 0);
    EXPECT_GE(deviceChanges(), 1);
    input->findPads();
    ASSERT_NE(input->pad, nullptr);
    testmode::setPadButton(first, PadButton::A, true);  // south: logical button 4
    EXPECT_EQ(frame(4), BTN_PRESSED);

    // A second pad changes nothing: the first stays the one read.
    const int second = testmode::attachController();
    ASSERT_GE(second, 0);
    input->findPads();
    EXPECT_EQ(padListCount, 2);
    testmode::setPadButton(second, PadButton::Start, true);
    EXPECT_EQ(frame(4), BTN_HELD);
    EXPECT_EQ(input->buttons[15], BTN_IDLE);

    // The first pulled out while held: nothing stays down, and the second
    // takes over once the game looks again.
    ASSERT_TRUE(testmode::detachPad(first));
    EXPECT_GE(deviceChanges(), 1);
    input->findPads();
    EXPECT_EQ(frame(4), BTN_RELEASED);
    EXPECT_EQ(input->buttons[15], BTN_PRESSED);  // the second pad's held start
    EXPECT_EQ(frame(4), BTN_IDLE);
}

}  // namespace
