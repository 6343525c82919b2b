// Input's own arithmetic, with a scripted pad: the configuration order of
// both maps, the keyboard sticks and the clamp, the hat sectors, how pad and
// key combine into the button states, and an unreadable pad.
#include "fake_pad.h"
#include "framework/input/GameInputConfig.h"

#include "platform/testing.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

class InputLogicTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testmode::enable();
        releaseDirectInput();  // no DirectInput: the constructor opens no pad
        in = new Input();
        in->setKeyMap(GAME_KEY_CONFIG);
        in->setPadMap(GAME_PAD_CONFIG);
    }
    void TearDown() override
    {
        delete in;
        testmode::reset();
    }
    void usePad() { in->pad = &pad; }

    std::vector<int> codesOver(int button, const std::vector<bool>& keyDownPerFrame, int vk)
    {
        std::vector<int> codes;
        for (bool down : keyDownPerFrame) {
            testmode::setKey(vk, down);
            in->update();
            codes.push_back(in->buttons[button]);
        }
        return codes;
    }

    FakePad pad;  // declared first: outlives `in`, whose destructor releases it
    Input* in = nullptr;
};

TEST_F(InputLogicTest, ConfigurationOrderPlacesBytesAtTheirLogicalButtons)
{
    Input fresh;
    EXPECT_EQ(fresh.pad, nullptr);
    EXPECT_EQ(fresh.keyMap[10], DWORD(VK_F1));
    EXPECT_EQ(fresh.padMap[3], 3u);
    EXPECT_EQ(fresh.padMap[15], 15u);

    const DWORD keys[BUTTON_COUNT] = {'W', 'S', 'A', 'D', 'Z', 'X', 'C',       'V',
                                      'A', 'S', 'Q', 'W', '1', '2', VK_RETURN, VK_SPACE};
    // Axis selectors lX, lY, lZ, lRz; zero-based buttons of pad labels 2, 3, 1, 4, 7, 8, 5, 6, 11, 12, 9, 10.
    const DWORD padEntries[BUTTON_COUNT] = {0, 1, 2, 5, 1, 2, 0, 3, 6, 7, 4, 5, 10, 11, 8, 9};
    for (int i = 0; i < BUTTON_COUNT; ++i) {
        EXPECT_EQ(in->keyMap[i], keys[i]) << "button " << i;
        EXPECT_EQ(in->padMap[i], padEntries[i]) << "button " << i;
    }

    // Byte 0 for a pad button and an axis selector past lRz read nothing.
    const BYTE odd[BUTTON_COUNT] = {9, 1, 2, 5, 0, 3, 1, 4, 7, 5, 11, 8, 6, 12, 9, 10};
    in->setPadMap(odd);
    usePad();
    pad.state.lX = 400;
    for (BYTE& b : pad.state.rgbButtons) b = 0x80;
    in->update();
    EXPECT_EQ(in->axis[0], 0);
    EXPECT_EQ(in->padButtons[4], BTN_IDLE);
    EXPECT_EQ(in->padButtons[5], BTN_PRESSED);
}

TEST_F(InputLogicTest, KeyboardSticksLaterKeyWinsAndDiagonalsAreClamped)
{
    struct Case {
        std::vector<int> keys;
        LONG axis[4];
    };
    const Case cases[] = {
        {{}, {0, 0, 0, 0}},
        {{VK_UP}, {0, -1000, 0, 0}},
        {{VK_UP, VK_DOWN}, {0, 1000, 0, 0}},
        {{VK_LEFT, VK_RIGHT}, {1000, 0, 0, 0}},
        {{VK_UP, VK_LEFT}, {-707, -707, 0, 0}},
        {{VK_NUMPAD8, VK_NUMPAD2}, {0, 0, 0, 1000}},
        {{VK_NUMPAD4, VK_NUMPAD6}, {0, 0, 1000, 0}},
        {{VK_NUMPAD2, VK_NUMPAD6, VK_DOWN}, {0, 1000, 707, 707}},
    };
    for (const Case& c : cases) {
        testmode::reset();
        for (int vk : c.keys) testmode::setKey(vk, true);
        in->update();
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(in->axis[k], c.axis[k]) << "case of " << c.keys.size() << " keys, axis " << k;
    }
}

TEST_F(InputLogicTest, KeyWithoutPadGivesOneFramePressAndDrivesBothOfItsButtons)
{
    const std::vector<bool> presses = {true, true, true, false, false, true, false};
    EXPECT_EQ(codesOver(15, presses, VK_SPACE), (std::vector<int>{3, 1, 1, 2, 0, 3, 2}));

    std::vector<int> up, jump;
    for (bool down : presses) {
        testmode::setKey('W', down);
        in->update();
        up.push_back(in->buttons[PAD_UP]);
        jump.push_back(in->buttons[11]);
    }
    EXPECT_EQ(up, jump);
    EXPECT_EQ(up, (std::vector<int>{3, 1, 1, 2, 0, 3, 2}));
}

TEST_F(InputLogicTest, HatSectorsDriveTheDirectionButtons)
{
    usePad();
    struct Case {
        DWORD pov;
        bool up, down, left, right;
    };
    const Case cases[] = {
        {0, true, false, false, false},           {4499, true, false, false, false},
        {4500, true, false, false, true},         {9000, false, false, false, true},
        {13500, false, true, false, true},        {18000, false, true, false, false},
        {22500, false, true, true, false},        {27000, false, false, true, false},
        {31500, true, false, true, false},        {35999, true, false, true, false},
        {36000, false, false, false, false},      {0xFFFFFFFF, false, false, false, false},
        {0x0001FFFF, false, false, false, false}, {0x00010000, false, false, false, false},
    };
    for (const Case& c : cases) {
        pad.state.rgdwPOV[0] = c.pov;
        in->update();
        const bool expected[4] = {c.up, c.down, c.left, c.right};
        for (int b = 0; b < 4; ++b)
            EXPECT_EQ((in->padButtons[b] & 1) != 0, expected[b]) << "pov " << c.pov << " button " << b;
    }
}

TEST_F(InputLogicTest, PadSticksAreClampedAndArrowKeysOverrideOneAxis)
{
    usePad();
    auto run = [&](LONG x, LONG y, LONG z, LONG rz) {
        pad.state.lX = x;
        pad.state.lY = y;
        pad.state.lZ = z;
        pad.state.lRz = rz;
        in->update();
    };
    run(1000, 1000, -1000, 1000);
    EXPECT_EQ(in->axis[0], 707);
    EXPECT_EQ(in->axis[1], 707);
    EXPECT_EQ(in->axis[2], -707);
    EXPECT_EQ(in->axis[3], 707);

    run(1000, 0, 0, -1000);  // on the circle: not clamped
    EXPECT_EQ(in->axis[0], 1000);
    EXPECT_EQ(in->axis[1], 0);
    EXPECT_EQ(in->axis[3], -1000);

    // An axis left in the device's own range must not overflow the clamp.
    run(INT_MIN, INT_MAX, 65535, 65535);
    EXPECT_EQ(in->axis[0], -707);
    EXPECT_EQ(in->axis[1], 707);
    EXPECT_EQ(in->axis[2], 707);
    EXPECT_EQ(in->axis[3], 707);

    testmode::setKey(VK_UP, true);
    run(300, 0, 0, 0);  // (300, -1000) is outside the circle
    EXPECT_EQ(in->axis[0], 287);
    EXPECT_EQ(in->axis[1], -957);
    testmode::setKey(VK_UP, false);
    testmode::setKey(VK_NUMPAD2, true);
    run(0, 0, 1000, -200);
    EXPECT_EQ(in->axis[2], 707);
    EXPECT_EQ(in->axis[3], 707);
}

TEST_F(InputLogicTest, PadButtonLeadsAndHandsBackToTheHeldKeyAsANewPress)
{
    usePad();
    std::vector<int> codes;
    auto frame = [&](bool padDown, bool keyDown) {
        pad.press(9, padDown);  // pad label 10 → logical 15
        testmode::setKey(VK_SPACE, keyDown);
        in->update();
        codes.push_back(in->buttons[15]);
    };
    frame(true, false);  // the pad drives the button while the key is up
    frame(true, false);
    frame(true, true);
    frame(false, true);  // pad released: its RELEASED shows
    frame(false, true);  // pad idle: the held key starts a fresh press
    frame(false, true);
    frame(false, false);
    EXPECT_EQ(codes, (std::vector<int>{3, 1, 1, 2, 3, 1, 2}));
}

TEST_F(InputLogicTest, UnreadablePadLetsItsButtonsGoWhileKeysWork)
{
    usePad();
    pad.press(9, true);
    pad.state.lX = 500;
    in->update();
    in->update();
    ASSERT_EQ(in->buttons[15], BTN_HELD);

    pad.pollResult = DIERR_NOTACQUIRED;
    pad.acquireResult = DIERR_OTHERAPPHASPRIO;
    pad.stateResult = DIERR_NOTACQUIRED;
    pad.press(9, false);
    pad.press(4, true);                // pad label 5 → logical 10, never seen while unreadable
    in->padButtons[14] = BTN_PRESSED;  // last read as a fresh press: not repeated
    in->padButtons[13] = BTN_RELEASED;
    testmode::setKey('Z', true);
    for (int i = 0; i < 3; ++i) {
        const int acquiresBefore = pad.acquires;
        in->update();
        EXPECT_EQ(pad.acquires - acquiresBefore, 1);  // one attempt: the answer was not "input lost"
        // Let go at once, never stuck down, never a press repeated.
        const ButtonState letGo = i == 0 ? BTN_RELEASED : BTN_IDLE;
        EXPECT_EQ(in->padButtons[15], letGo);
        EXPECT_EQ(in->buttons[15], letGo);
        EXPECT_EQ(in->axis[0], 0);
        EXPECT_EQ(in->padButtons[14], letGo);
        EXPECT_EQ(in->padButtons[13], BTN_IDLE);
        EXPECT_EQ(in->padButtons[10], BTN_IDLE);
    }
    EXPECT_EQ(in->buttons[4], BTN_HELD);  // Z, through the keyboard path

    // A device that keeps answering "input lost" is retried, but not forever.
    pad.acquireResult = DIERR_INPUTLOST;
    pad.acquires = 0;
    in->update();
    EXPECT_GT(pad.acquires, 1);
    EXPECT_LT(pad.acquires, 1000);

    pad.pollResult = pad.acquireResult = pad.stateResult = DI_OK;
    pad.press(9, true);
    in->update();
    EXPECT_EQ(in->buttons[15], BTN_PRESSED);
    EXPECT_EQ(in->axis[0], 500);
}

TEST_F(InputLogicTest, DestroyingInputUnacquiresAndReleasesThePad)
{
    usePad();
    delete in;
    in = nullptr;
    EXPECT_EQ(pad.unacquires, 1);
    EXPECT_EQ(pad.releases, 1);
}

}  // namespace
