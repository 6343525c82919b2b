// Quick taps through the real message loop: a press and release that both
// arrive between two ticks read as a press held for exactly the next tick,
// for every read of that tick (both logical buttons of one key, two reads of
// a mouse button), while input held across ticks reads as it physically is.
#include "app/FrameClock.h"
#include "app/GameWindow.h"
#include "app/Scene.h"
#include "app/WinMain.h"
#include "framework/input/GameInputConfig.h"
#include "framework/input/Input.h"

#include "platform/testing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What one tick saw: the left button read twice, W's two logical buttons
// (0 and 11) and Space's (15).
struct Seen {
    bool left1 = false, left2 = false;
    int up = 0, jump = 0, start = 0;
    unsigned period = 0;  // tenths of a millisecond the tick added to the schedule
};

struct ReadingScene : Scene {
    std::vector<Seen>* ticks;
    bool readMouse = true;
    explicit ReadingScene(std::vector<Seen>* t) : ticks(t) {}
    void Update() override
    {
        Seen s;
        if (readMouse) {
            s.left1 = GetKeyState(VK_LBUTTON) < 0;
            s.left2 = GetKeyState(VK_LBUTTON) < 0;
        }
        s.up = input->buttons[PAD_UP];
        s.jump = input->buttons[11];
        s.start = input->buttons[15];
        ticks->push_back(s);
    }
    void Render() override {}
};

class QuickTapsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testmode::enable();
        window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWDEFAULT);
        ASSERT_NE(window, nullptr);
        input = new Input();
        input->setKeyMap(GAME_KEY_CONFIG);
        sceneManager = new SceneManager();
        scene = new ReadingScene(&ticks);
        sceneManager->SetScene(scene);
        sceneManager->nextTime = FrameClockNow();
        scheduleBefore = sceneManager->nextTime;
    }
    void TearDown() override
    {
        delete sceneManager;
        sceneManager = nullptr;
        delete input;
        input = nullptr;
        DestroyWindow(window);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        testmode::reset();
    }

    // Loop passes, 1 ms of virtual time apart, until one tick has run; what it saw.
    Seen tick()
    {
        const size_t before = ticks.size();
        for (int pass = 0; pass < 100 && ticks.size() == before; ++pass) {
            EXPECT_TRUE(MessageLoopPass());
            if (ticks.size() == before) testmode::advanceClock(1);
        }
        EXPECT_EQ(ticks.size(), before + 1) << "no tick ran";
        ticks.back().period = sceneManager->nextTime - scheduleBefore;
        scheduleBefore = sceneManager->nextTime;
        return ticks.back();
    }
    void tap(int vk)
    {
        testmode::postKey(vk, true);
        testmode::postKey(vk, false);
    }
    // W's code on logical button 0 for each of `n` ticks; button 11 must agree.
    std::vector<int> upCodes(int n)
    {
        std::vector<int> codes;
        for (int i = 0; i < n; ++i) {
            const Seen s = tick();
            EXPECT_EQ(s.up, s.jump) << "buttons 0 and 11 disagree at tick " << i;
            codes.push_back(s.up);
        }
        return codes;
    }

    HWND window = nullptr;
    ReadingScene* scene = nullptr;
    std::vector<Seen> ticks;
    unsigned scheduleBefore = 0;
};

TEST_F(QuickTapsTest, ATapBetweenTicksIsOnePressHeldForTheNextTick)
{
    tick();
    tap('W');
    EXPECT_EQ(upCodes(3), (std::vector<int>{BTN_PRESSED, BTN_RELEASED, BTN_IDLE}));

    tap(VK_SPACE);
    EXPECT_EQ(tick().start, BTN_PRESSED);
    EXPECT_EQ(tick().start, BTN_RELEASED);

    testmode::setKey(VK_LBUTTON, true);
    testmode::setKey(VK_LBUTTON, false);
    Seen s = tick();
    EXPECT_TRUE(s.left1 && s.left2) << "both reads of the tick see the click";
    EXPECT_FALSE(tick().left1);

    // Two taps, or a tap and a press, before one tick: one press.
    tap('W');
    tap('W');
    EXPECT_EQ(upCodes(2), (std::vector<int>{BTN_PRESSED, BTN_RELEASED}));
    tap('W');
    testmode::postKey('W', true);
    EXPECT_EQ(upCodes(2), (std::vector<int>{BTN_PRESSED, BTN_HELD}));
    testmode::postKey('W', false);
    EXPECT_EQ(upCodes(2), (std::vector<int>{BTN_RELEASED, BTN_IDLE}));

    // A tap of left Control slows exactly one tick.
    tick();
    tap(VK_LCONTROL);
    EXPECT_EQ(tick().period, FramePeriod + SlowMotionExtra);
    EXPECT_EQ(tick().period, FramePeriod);
}

TEST_F(QuickTapsTest, InputHeldAcrossATickReadsAsItIs)
{
    tick();
    testmode::postKey('W', true);
    EXPECT_EQ(upCodes(3), (std::vector<int>{BTN_PRESSED, BTN_HELD, BTN_HELD}));
    testmode::postKey('W', false);
    EXPECT_EQ(upCodes(2), (std::vector<int>{BTN_RELEASED, BTN_IDLE}));

    // Held for one tick and let go right after it: released at the next tick.
    testmode::postKey('W', true);
    EXPECT_EQ(upCodes(1), (std::vector<int>{BTN_PRESSED}));
    testmode::postKey('W', false);
    EXPECT_EQ(upCodes(2), (std::vector<int>{BTN_RELEASED, BTN_IDLE}));

    testmode::setKey(VK_LBUTTON, true);
    EXPECT_TRUE(tick().left1);
    EXPECT_TRUE(tick().left1);
    testmode::setKey(VK_LBUTTON, false);
    EXPECT_FALSE(tick().left1);
}

TEST_F(QuickTapsTest, ATapThatItsTickDoesNotReadIsGoneAfterIt)
{
    tick();
    scene->readMouse = false;
    testmode::setKey(VK_LBUTTON, true);
    testmode::setKey(VK_LBUTTON, false);
    tick();
    scene->readMouse = true;
    EXPECT_FALSE(tick().left1) << "a click made while nothing read the mouse came back a tick later";
}

}  // namespace
