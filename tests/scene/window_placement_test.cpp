// The picture in a client area of any size: it keeps its 5:4 shape, centred,
// the cursor maps through the same placement onto the board, and F11 or
// Alt+Enter switch full-screen and back, remembered in the settings.
#include "scene/game_fixture.h"

#include "app/Settings.h"
#include "framework/core/MainWindow.h"

namespace {

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string text(const RECT& r)
{
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

TEST(PicturePlacement, KeepsTheShapeCentredWithBarsOnTheLongSides)
{
    const struct {
        LONG w, h;
        RECT expected;
    } cases[] = {
        {1280, 1024, {0, 0, 1280, 1024}},   // its own size: the whole client area
        {960, 768, {0, 0, 960, 768}},       // its own shape, smaller
        {1500, 1150, {31, 0, 1469, 1150}},  // wider: bars left and right
        {1920, 1080, {285, 0, 1635, 1080}},
        {1280, 2000, {0, 488, 1280, 1512}},  // taller: bars above and below
        {0, 768, {0, 0, 0, 0}},              // minimised: nowhere
    };
    for (const auto& c : cases) {
        const RECT placed = placePicture(c.w, c.h, 1280, 1024);
        EXPECT_TRUE(sameRect(placed, c.expected)) << c.w << " x " << c.h << " gave " << text(placed);
    }
}

class PlacementTest : public GameTest {
protected:
    // The client pixel that shows back-buffer pixel (x, y) in `picture`.
    static POINT onScreen(const RECT& picture, int x, int y)
    {
        return {picture.left + x * (picture.right - picture.left) / 1280,
                picture.top + y * (picture.bottom - picture.top) / 1024};
    }

    // A click at the physical centre of cell (c, r) during a round changes it.
    void clickChangesCell(const RECT& picture, int c, int r)
    {
        const POINT at = onScreen(picture, 256 * c + 128, 256 * r + 128);
        testmode::setMouse(at.x, at.y);
        POINT mapped{};
        ASSERT_TRUE(cursorInMainWindow(mapped));
        EXPECT_NEAR(mapped.x, 256 * c + 128, 2);
        EXPECT_NEAR(mapped.y, 256 * r + 128, 2);
        const int before = field().board[c * 4 + r];
        testmode::setKey(VK_LBUTTON, true);
        tick();
        testmode::setKey(VK_LBUTTON, false);
        tick();
        EXPECT_NE(field().board[c * 4 + r], before) << "cell (" << c << ", " << r << ")";
    }

    void startRound()
    {
        pressStart(true);
        tick();
        pressStart(false);
        ticks(2);
    }

    // The destination the next drawn frame is presented to; false for none.
    bool presentedTo(RECT& dest)
    {
        drawnTick();
        return testmode::presentedDestination(dest);
    }
};

TEST_F(PlacementTest, AWindowOfAnotherSizeLetterboxesThePictureAndClicksLandWhereTheyAreShown)
{
    RECT dest{};
    EXPECT_FALSE(presentedTo(dest)) << "its own size: presented over the whole client area";

    testmode::resizeClientArea(1500, 1150);
    ASSERT_TRUE(presentedTo(dest));
    EXPECT_TRUE(sameRect(dest, RECT{31, 0, 1469, 1150})) << text(dest);

    startRound();
    clickChangesCell(dest, 1, 2);
    clickChangesCell(dest, 3, 3);
    // The bar left of the picture is off the board.
    testmode::setMouse(10, 500);
    POINT mapped{};
    ASSERT_TRUE(cursorInMainWindow(mapped));
    EXPECT_LT(mapped.x, 0);

    testmode::resizeClientArea(1280, 1024);
    EXPECT_FALSE(presentedTo(dest));
}

TEST_F(PlacementTest, F11AndAltEnterSwitchFullScreenOnceAPressAndTheChoiceIsKept)
{
    RECT windowed{}, client{};
    ASSERT_TRUE(GetWindowRect(window, &windowed));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor));

    // Held, the key repeats: still one switch.
    testmode::postKey(VK_F11, true);
    testmode::postKey(VK_F11, true);
    testmode::postKey(VK_F11, false);
    drawnTick();
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, monitor.rcMonitor.right - monitor.rcMonitor.left);
    EXPECT_EQ(client.bottom, monitor.rcMonitor.bottom - monitor.rcMonitor.top);
    RECT dest{};
    const RECT expected = placePicture(client.right, client.bottom, 1280, 1024);
    if (!sameRect(expected, client)) {
        ASSERT_TRUE(presentedTo(dest));
        EXPECT_TRUE(sameRect(dest, expected)) << text(dest);
    }
    runLoopFor(1100);  // the settings are written a second later
    EXPECT_TRUE(settingsOnDisk([](const Settings& s) { return s.fullscreen; }).fullscreen);

    // Alt+Enter reaches the window as a system key, and the window
    // procedure swallows it.
    testmode::postKey(VK_LMENU, true);
    testmode::postKey(VK_RETURN, true);
    MSG msg{};
    int returns = 0;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.wParam != VK_RETURN) continue;
        ++returns;
        EXPECT_EQ(msg.message, static_cast<UINT>(WM_SYSKEYDOWN));
        EXPECT_EQ(DispatchMessageA(&msg), 0);
    }
    EXPECT_EQ(returns, 1);
    testmode::postKey(VK_RETURN, false);
    testmode::postKey(VK_LMENU, false);
    drawnTick();
    RECT back{};
    ASSERT_TRUE(GetWindowRect(window, &back));
    EXPECT_TRUE(sameRect(back, windowed)) << text(back) << " instead of " << text(windowed);
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, 1280);
    EXPECT_EQ(client.bottom, 1024);
    EXPECT_FALSE(presentedTo(dest));
    runLoopFor(1100);
    EXPECT_FALSE(settingsOnDisk([](const Settings& s) { return !s.fullscreen; }).fullscreen);
}

}  // namespace
