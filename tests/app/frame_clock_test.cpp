// The frame clock's schedule, driven by the virtual clock: steady ticks,
// resynchronisation, catch-up without drawing, slow motion, the wrap of the
// time value, and the order of input, Update and Render.
#include "app/FrameClock.h"
#include "app/Scene.h"

#include "platform/testing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct CountingScene : Scene {
    std::vector<std::string>* log;
    explicit CountingScene(std::vector<std::string>* l) : log(l) {}
    void Update() override { log->push_back("update"); }
    void Render() override { log->push_back("render"); }
};

class FrameClockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testmode::enable();
        sceneManager = new SceneManager();
        sceneManager->scene = new CountingScene(&log);
    }
    void TearDown() override
    {
        delete sceneManager;
        sceneManager = nullptr;
    }

    // Advances the virtual clock 1 ms at a time until `ms` have passed and
    // returns, for every tick that ran, the clock reading and whether it is drawn.
    struct TickRecord {
        uint32_t ms;
        int drawn;
    };
    std::vector<TickRecord> run(uint32_t ms)
    {
        std::vector<TickRecord> ticks;
        for (uint32_t i = 0; i < ms; ++i) {
            while (Tick()) ticks.push_back({testmode::clockMs(), sceneManager->drawThisFrame});
            testmode::advanceClock(1);
        }
        return ticks;
    }

    std::vector<std::string> log;
};

TEST_F(FrameClockTest, SteadyStateTicksEvery167TenthsAndDrawsEach)
{
    sceneManager->nextTime = FrameClockNow();
    auto ticks = run(1000);
    // 16.7 ms per tick: 59 ticks in the first second (the first is due at 16.7 ms).
    ASSERT_EQ(ticks.size(), 59u);
    for (const auto& t : ticks) EXPECT_EQ(t.drawn, 1);
    EXPECT_EQ(ticks[0].ms, 17u);
    EXPECT_EQ(ticks[1].ms, 34u);  // 33.4 ms rounds up to the next whole millisecond
    EXPECT_EQ(ticks[2].ms, 51u);  // 50.1 ms
}

TEST_F(FrameClockTest, LongStartUpResynchronisesWithTheFirstTickUndrawn)
{
    sceneManager->nextTime = FrameClockNow();
    testmode::setClock(250);  // more than 200 ms pass before the first tick
    auto ticks = run(100);
    ASSERT_GE(ticks.size(), 2u);
    EXPECT_EQ(ticks[0].ms, 250u);
    EXPECT_EQ(ticks[0].drawn, 0);
    // The schedule jumps to now and advances one period; the next tick is due 33.4 ms later.
    EXPECT_EQ(ticks[1].ms, 250u + 34u);
    EXPECT_EQ(ticks[1].drawn, 1);
}

TEST_F(FrameClockTest, StallGivesFiveUndrawnTicksBackToBackThenDrawsAgain)
{
    // The tick due at 50.0 ms runs 100 ms late: now − nextTime = 1167.
    sceneManager->nextTime = 333;
    testmode::setClock(150);
    std::vector<unsigned> late;
    std::vector<int> drawn;
    for (unsigned before = sceneManager->nextTime; Tick(); before = sceneManager->nextTime) {
        late.push_back(FrameClockNow() - before);
        drawn.push_back(sceneManager->drawThisFrame);
    }
    EXPECT_EQ(late, (std::vector<unsigned>{1167, 1000, 833, 666, 499, 332}));
    EXPECT_EQ(drawn, (std::vector<int>{0, 0, 0, 0, 0, 1}));
}

TEST_F(FrameClockTest, LeftControlSlowsEveryTickTo467Tenths)
{
    sceneManager->nextTime = FrameClockNow();
    testmode::setKey(VK_LCONTROL, true);
    auto slow = run(1000);
    // Each tick that sees the key held pushes the next one 46.7 ms on.
    ASSERT_EQ(slow.size(), 22u);
    for (size_t i = 1; i < slow.size(); ++i) {
        const uint32_t gap = slow[i].ms - slow[i - 1].ms;
        EXPECT_TRUE(gap == 46 || gap == 47) << gap;
    }
    testmode::setKey(VK_LCONTROL, false);
    auto normal = run(1000);
    EXPECT_GE(normal.size(), 58u);
    // Right Control does not slow the game.
    testmode::setKey(VK_RCONTROL, true);
    EXPECT_GE(run(1000).size(), 59u);
}

TEST_F(FrameClockTest, ScheduleSurvivesTheWrapOfTheTimeValue)
{
    // clock() × 10 wraps at 2^32 tenths: 429496729.6 ms.
    const uint32_t beforeWrap = 429496729u - 100u;
    testmode::setClock(beforeWrap);
    sceneManager->nextTime = FrameClockNow();
    auto ticks = run(400);
    // 400 ms across the wrap: 23 or 24 ticks, all drawn, evenly spaced.
    ASSERT_GE(ticks.size(), 23u);
    ASSERT_LE(ticks.size(), 24u);
    for (const auto& t : ticks) EXPECT_EQ(t.drawn, 1);
    for (size_t i = 1; i < ticks.size(); ++i) {
        const uint32_t gap = ticks[i].ms - ticks[i - 1].ms;
        EXPECT_TRUE(gap == 16 || gap == 17) << "gap " << gap << " at tick " << i;
    }
}

TEST_F(FrameClockTest, NoTickWithoutAManagerAndUpdateRunsOncePerTick)
{
    sceneManager->nextTime = FrameClockNow();
    run(100);
    size_t updates = 0;
    for (const auto& entry : log) updates += entry == "update";
    EXPECT_EQ(updates, 5u);
    SceneManager* saved = sceneManager;
    sceneManager = nullptr;
    testmode::advanceClock(1000);
    EXPECT_FALSE(Tick());
    sceneManager = saved;
}

}  // namespace
