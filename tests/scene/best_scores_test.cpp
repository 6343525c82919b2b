// The scene and the best scores: a round that runs out of time goes into
// the table with the highest chain it reached; a round without points, or
// one still running, leaves the file alone.
#include "scene/game_fixture.h"

#include "app/BestScores.h"
#include "framework/input/Input.h"

#include <fstream>
#include <sstream>

namespace {

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST_F(GameTest, ARoundThatRunsOutGoesIntoTheBestScoresWithItsHighestChain)
{
    const auto scores = saveFolder() / "scores.txt";
    pressStart(true);
    tick();
    pressStart(false);
    field().timeLeft = 2;
    while (scene().playing) tick();
    EXPECT_FALSE(std::filesystem::exists(scores)) << "a round without points is not kept";

    pressStart(true);
    tick();
    pressStart(false);
    while (field().phase < field().evaluateFrom) tick();
    setBoard({"1122", "1122", "3344", "3344"});
    testmode::setKey(VK_RBUTTON, true);
    tick();
    testmode::setKey(VK_RBUTTON, false);
    ASSERT_EQ(field().chain, 1);
    const int32_t score = field().score;
    field().chain = 0;  // as three colour changes after the clear would leave it
    ticks(10);
    EXPECT_FALSE(std::filesystem::exists(scores)) << "a running round is not kept";
    field().timeLeft = 2;
    while (scene().playing) tick();

    const ScoreTable& table = scene().bestScores->table;
    ASSERT_EQ(table.entries.size(), 1u);
    EXPECT_EQ(table.entries[0].score, score);
    EXPECT_EQ(table.entries[0].chain, 1);
    EXPECT_EQ(scene().bestScores->lastPlace, 1);
    // The date follows the virtual clock from the start of 2026.
    const uint32_t seconds = testmode::clockMs() / 1000;
    char line[64];
    std::snprintf(line, sizeof line, "%d 1 2026-01-01 00:%02u:%02u", score, seconds / 60, seconds % 60);
    // The round is kept beside the table, named from its entry.
    const std::string round = table.entries[0].round;
    EXPECT_EQ(fileText(scores), std::string("vantorel-scores 1\n") + line + " round=" + round + "\n");
    EXPECT_TRUE(std::filesystem::exists(saveFolder() / round));
}

TEST_F(GameTest, TabOrThePadsOwnBackButtonShowsTheTablesInTurnWhileWaiting)
{
    const auto tap = [this](int key) {
        testmode::setKey(key, true);
        ticks(3);
        testmode::setKey(key, false);
        tick();
    };
    tap(VK_RETURN);
    EXPECT_FALSE(scene().tableShown) << "Return shares logical button 14 with the pad's back button";
    tap(VK_TAB);
    EXPECT_TRUE(scene().tableShown) << "a held Tab counts once";
    // No pad is attached, so the pad's own state stays as set here: a back
    // button held for ticks closes the table once.
    ButtonState& back = input->padButtons[sceneMain::TABLE_PAD_BUTTON];
    const auto pressBack = [&] {
        back = BTN_PRESSED;
        ticks(3);
        back = BTN_IDLE;
        tick();
    };
    pressBack();
    EXPECT_TRUE(scene().tableShown && scene().dayTableShown) << "the second press shows the day's table";
    pressBack();
    EXPECT_FALSE(scene().tableShown);

    tap(VK_TAB);
    pressStart(true);
    tick();
    pressStart(false);
    EXPECT_FALSE(scene().tableShown) << "a round starts with the table closed";
    tap(VK_TAB);
    EXPECT_FALSE(scene().tableShown) << "Tab does nothing during a round";
}
