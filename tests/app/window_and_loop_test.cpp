// The game window and the message loop: the client area, quitting through
// Escape and the close box, F1 swallowed, other keys handed to the default
// handling, and the scene installation order.
#include "app/GameWindow.h"
#include "app/Scene.h"
#include "app/WinMain.h"

#include "platform/testing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Recorder : Scene {
    std::vector<std::string>* log;
    std::string name;
    Recorder(std::vector<std::string>* l, std::string n) : log(l), name(std::move(n))
    {
        log->push_back("construct " + name);
    }
    ~Recorder() override { log->push_back("destroy " + name); }
    bool Initialize() override
    {
        log->push_back("initialize " + name);
        return false;  // the result is ignored
    }
    void Update() override { log->push_back("update " + name); }
    void Render() override { log->push_back("render " + name); }
};

class LoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testmode::enable();
        window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWDEFAULT);
        ASSERT_NE(window, nullptr);
        sceneManager = new SceneManager();
        sceneManager->SetScene(new Recorder(&log, "main"));
    }
    void TearDown() override
    {
        delete sceneManager;
        sceneManager = nullptr;
        if (window) DestroyWindow(window);
        // Drain the quit message the destruction posts.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    // Runs loop passes, 1 ms of virtual time each, until the loop ends or
    // `passes` have run; true when the loop ended.
    bool runPasses(int passes)
    {
        for (int i = 0; i < passes; ++i) {
            if (!MessageLoopPass()) return true;
            testmode::advanceClock(1);
        }
        return false;
    }

    HWND window = nullptr;
    std::vector<std::string> log;
};

TEST_F(LoopTest, ClientAreaIsExactly1280By1024AndTheOuterRectangleHoldsTheFrame)
{
    RECT client{}, outer{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right - client.left, 1280);
    EXPECT_EQ(client.bottom - client.top, 1024);
    ASSERT_TRUE(GetWindowRect(window, &outer));
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    EXPECT_GT(outer.right - outer.left, 1280);
    EXPECT_GT(outer.bottom - outer.top, 1024);

    // Growing the rectangle for the system menu alone, as if no caption
    // came with it, leaves the client area a caption short.
    RECT sysmenuOnly = {0, 0, 1280, 1024};
    AdjustWindowRect(&sysmenuOnly, WS_SYSMENU, FALSE);
    HWND shortWindow = CreateWindowExA(0, "ORV2010", "short", WS_SYSMENU, 0, 0, sysmenuOnly.right - sysmenuOnly.left,
                                       sysmenuOnly.bottom - sysmenuOnly.top, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(shortWindow, nullptr);
    GetClientRect(shortWindow, &client);
    EXPECT_EQ(client.right - client.left, 1280);
    EXPECT_LT(client.bottom - client.top, 1024);
    DestroyWindow(shortWindow);
}

TEST_F(LoopTest, EscapeEndsTheLoopThroughCloseAndDestroy)
{
    EXPECT_FALSE(runPasses(100));
    testmode::postKey(VK_ESCAPE, true);
    EXPECT_TRUE(runPasses(10));
}

TEST_F(LoopTest, CloseBoxEndsTheLoopLikeEscape)
{
    testmode::clickCloseBox();
    EXPECT_TRUE(runPasses(10));
}

TEST_F(LoopTest, F1IsSwallowedAndOtherKeysReachTheDefaultHandling)
{
    EXPECT_EQ(WndProc(window, WM_KEYDOWN, VK_F1, 1), 0);
    testmode::postKey(VK_F1, true);
    testmode::postKey(VK_SPACE, true);
    testmode::postKey(VK_F1, false);
    EXPECT_FALSE(runPasses(200));
    // The window survived: WM_CLOSE through the default handling still ends it.
    EXPECT_EQ(WndProc(window, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(runPasses(10));
    window = nullptr;
}

TEST_F(LoopTest, UpdateRunsBeforeRenderForEveryDrawnTick)
{
    sceneManager->nextTime = 0;
    testmode::setClock(0);
    runPasses(100);
    std::vector<std::string> frames(log.begin() + 2, log.end());  // after construct, initialize
    ASSERT_GE(frames.size(), 10u);
    for (size_t i = 0; i + 1 < frames.size(); i += 2) {
        EXPECT_EQ(frames[i], "update main");
        EXPECT_EQ(frames[i + 1], "render main");
    }
}

TEST_F(LoopTest, OverdueTicksRunBackToBackWithoutWaitingAndTheSixthIsDrawn)
{
    // The tick due at 50.0 ms runs 100 ms late.
    sceneManager->nextTime = 333;
    testmode::setClock(150);
    log.clear();
    for (int pass = 0; pass < 6; ++pass) ASSERT_TRUE(MessageLoopPass());
    EXPECT_EQ(testmode::clockMs(), 150u) << "a pass waited while a tick was due";
    EXPECT_EQ(log, (std::vector<std::string>{"update main", "update main", "update main", "update main", "update main",
                                             "update main", "render main"}));
    // Caught up, the next tick is due at 150.2 ms: the wait rounds up to 151.
    ASSERT_TRUE(MessageLoopPass());
    EXPECT_EQ(testmode::clockMs(), 151u);
    EXPECT_EQ(log.size(), 7u);
}

TEST_F(LoopTest, WaitLastsUntilTheNextTickIsDueAndFollowsSlowMotion)
{
    sceneManager->nextTime = 1000;
    testmode::setClock(103);
    log.clear();
    ASSERT_TRUE(MessageLoopPass());
    EXPECT_EQ(testmode::clockMs(), 117u);  // due at 116.7 ms
    EXPECT_TRUE(log.empty());
    ASSERT_TRUE(MessageLoopPass());
    EXPECT_EQ(log, (std::vector<std::string>{"update main", "render main"}));

    // A tick that sees left Control held puts the next one 46.7 ms on.
    testmode::setKey(VK_LCONTROL, true);
    ASSERT_TRUE(MessageLoopPass());  // waits for the tick due at 133.4 ms
    ASSERT_TRUE(MessageLoopPass());
    EXPECT_EQ(testmode::clockMs(), 134u);
    ASSERT_TRUE(MessageLoopPass());
    EXPECT_EQ(testmode::clockMs(), 181u);  // due at 180.1 ms
    testmode::setKey(VK_LCONTROL, false);

    // A waiting message is handled at once, without a wait.
    testmode::postKey(VK_F1, true);
    const uint32_t before = testmode::clockMs();
    ASSERT_TRUE(MessageLoopPass());
    EXPECT_EQ(testmode::clockMs(), before);
}

TEST_F(LoopTest, SetSceneConstructsNewBeforeDestroyingOldAndInitialisesAfter)
{
    log.clear();
    sceneManager->SetScene(new Recorder(&log, "next"));
    EXPECT_EQ(log, (std::vector<std::string>{"construct next", "destroy main", "initialize next"}));
}

}  // namespace
