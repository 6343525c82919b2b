// A kept round played again on the waiting screen: the best round starts
// after 30 seconds without input and plays to the score it made, the game
// comes back as it was, and any input ends the watch (Space with a new round).
#include "scene/game_fixture.h"

#include "app/BestScores.h"
#include "app/RoundWatch.h"
#include "app/Settings.h"
#include "game/RoundFile.h"

namespace {

class WatchTest : public GameTest {
protected:
    // A whole round played with the mouse: a click on the cells in turn, a
    // right click now and then, the pointer moving in between.
    int32_t playRound()
    {
        pressStart(true);
        loopTick();
        pressStart(false);
        for (int t = 0; scene().playing && t < 20000; ++t) {
            const int cell = (t / 9) % 16;
            testmode::setMouse(256 * (cell / 4) + 40 + t % 150, 256 * (cell % 4) + 60);
            testmode::setKey(VK_LBUTTON, t % 9 == 3);
            testmode::setKey(VK_RBUTTON, t % 23 == 7);
            tick();
        }
        testmode::setKey(VK_LBUTTON, false);
        testmode::setKey(VK_RBUTTON, false);
        testmode::setMouse(1150, 950);
        tick();
        return field().score;
    }

    void startBestRound()
    {
        std::string text;
        ASSERT_TRUE(scene().bestScores->readRound(0, text));
        RoundFileRead read = parseRoundFile(text);
        ASSERT_EQ(read.status, RoundFileStatus::Read) << read.message;
        ASSERT_TRUE(scene().startWatch(std::move(read.recording)));
        loopTick();
        ASSERT_NE(scene().watch, nullptr);
    }
};

}  // namespace

TEST_F(WatchTest, TheBestRoundPlaysItselfAfterThirtySecondsIdleAndLeavesTheGameAsItWas)
{
    const int32_t score = playRound();
    ASSERT_GT(score, 0);
    ASSERT_EQ(scene().bestScores->table.entries.size(), 1u);
    const std::string table = scene().bestScores->table.format();
    const FieldEngine engine = fieldRandom;
    const std::vector<int32_t> board(field().board, field().board + PuzzleField::CELLS);
    const float angle = gravityAngle;

    ticks(sceneMain::IDLE_TICKS - 1);
    EXPECT_EQ(scene().watch, nullptr) << "not before 30 seconds";
    tick();
    ASSERT_NE(scene().watch, nullptr) << "the best round starts after 30 seconds without input";
    EXPECT_TRUE(testmode::screenSaverAllowed()) << "a watched round lets the screen saver be";

    int32_t watched = -1;
    for (int t = 0; scene().watch && t < 20000; ++t) {
        watched = field().score;
        tick();
    }
    EXPECT_EQ(scene().watch, nullptr);
    EXPECT_EQ(watched, score) << "the watched round reaches the score it made";
    EXPECT_EQ(scene().bestScores->table.format(), table) << "a watched round never enters the table";
    EXPECT_TRUE(fieldRandom == engine);
    EXPECT_EQ(std::vector<int32_t>(field().board, field().board + PuzzleField::CELLS), board);
    EXPECT_EQ(gravityAngle, angle);
    EXPECT_EQ(field().score, score);

    // The 30 seconds start again.
    ticks(sceneMain::IDLE_TICKS - 1);
    EXPECT_EQ(scene().watch, nullptr);
    tick();
    EXPECT_NE(scene().watch, nullptr);
}

TEST_F(WatchTest, AnyInputEndsAWatchAtOnceAndSpaceStartsARound)
{
    ASSERT_GT(playRound(), 0);
    const int volume = settings.volume;
    const bool mute = settings.mute;
    struct Case {
        const char* what;
        void (*act)();
        void (*undo)();
        bool starts;
    };
    const Case cases[] =
        {
            {"M", [] { testmode::postKey('M', true); }, [] { testmode::postKey('M', false); }, false},
            {"minus", [] { testmode::postKey(VK_OEM_MINUS, true); }, [] { testmode::postKey(VK_OEM_MINUS, false); },
             false},
            {"a mouse move", [] { testmode::setMouse(1100, 900); }, [] { testmode::setMouse(1150, 950); }, false},
            {"a click", [] { testmode::setKey(VK_LBUTTON, true); }, [] { testmode::setKey(VK_LBUTTON, false); }, false},
            {"Space",
             [] {
        testmode::setKey(VK_SPACE, true);
        testmode::postKey(VK_SPACE, true);
             },
             [] {
        testmode::setKey(VK_SPACE, false);
        testmode::postKey(VK_SPACE, false);
            },
            true},
               };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startBestRound();
        loopTick();
        c.act();
        loopTick();
        EXPECT_EQ(scene().watch, nullptr) << "the input ends the watch at once";
        EXPECT_EQ(scene().playing, c.starts);
        c.undo();
        loopTick();
        if (scene().playing) {
            field().timeLeft = 1;
            while (scene().playing) tick();
        }
    }
    EXPECT_EQ(settings.volume, volume) << "a watch changes no setting";
    EXPECT_EQ(settings.mute, mute);
}

TEST_F(WatchTest, ReturnWatchesTheChosenEntryAndTheHeldKeyDoesNotEndIt)
{
    ASSERT_GT(playRound(), 0);
    testmode::setKey(VK_TAB, true);
    tick();
    testmode::setKey(VK_TAB, false);
    ASSERT_TRUE(scene().tableShown);
    EXPECT_EQ(scene().tableChoice, -1) << "nothing is chosen before a direction";
    testmode::setKey(VK_DOWN, true);
    tick();
    testmode::setKey(VK_DOWN, false);
    tick();
    EXPECT_EQ(scene().tableChoice, 0);
    // Return held for a few ticks, as a person presses it.
    testmode::setKey(VK_RETURN, true);
    ticks(5);
    testmode::setKey(VK_RETURN, false);
    tick();
    EXPECT_NE(scene().watch, nullptr) << "the press that starts a watch does not end it";
}
