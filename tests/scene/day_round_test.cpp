// The round of the day: T starts the same board on every start of the day,
// from the date's own engine, while Space still draws from the game's; the
// round goes into the day's table and verifies as a round of that day.
#include "scene/game_fixture.h"

#include "app/BestScores.h"
#include "app/RoundVerify.h"
#include "game/RoundFile.h"

#include <fstream>

namespace {

class DayRoundTest : public GameTest {
protected:
    void loopTick()
    {
        clockToNextTick();
        const unsigned int before = sceneManager->nextTime;
        for (int pass = 0; pass < 100 && sceneManager->nextTime == before; ++pass) ASSERT_TRUE(MessageLoopPass());
    }
    void pressDayKey()
    {
        testmode::postKey('T', true);
        testmode::postKey('T', false);
        loopTick();
    }
    std::vector<int32_t> board() { return std::vector<int32_t>(field().board, field().board + PuzzleField::CELLS); }
    void endRound()
    {
        field().timeLeft = 1;
        while (scene().playing) tick();
    }
    // The board a round starts with when it draws from `engine`.
    static std::vector<int32_t> boardFrom(FieldEngine engine)
    {
        std::uniform_int_distribution<int32_t> colour(1, 5);
        std::vector<int32_t> cells;
        for (int k = 0; k < PuzzleField::CELLS; ++k) cells.push_back(colour(engine));
        return cells;
    }
};

}  // namespace

TEST_F(DayRoundTest, EveryStartOfTheDaysRoundGivesTheDatesBoardAndSpaceStillTheRandomOne)
{
    const uint32_t day = dayOfRoundToday();
    EXPECT_EQ(day, 20260101u) << "the test mode's date";
    const FieldEngine engine = fieldRandom;
    pressDayKey();
    ASSERT_TRUE(scene().playing && scene().dayRound);
    EXPECT_EQ(board(), boardFrom(FieldEngine(day)));
    ticks(200);
    endRound();
    pressDayKey();
    EXPECT_EQ(board(), boardFrom(FieldEngine(day))) << "the same start again";
    endRound();
    EXPECT_TRUE(fieldRandom == engine) << "the day's rounds draw nothing from the game's engine";

    pressStart(true);
    tick();
    pressStart(false);
    EXPECT_FALSE(scene().dayRound);
    EXPECT_EQ(board(), boardFrom(engine)) << "Space draws from the game's engine as before";
    endRound();

    // A day later, another board.
    testmode::setClock(testmode::clockMs() + 24u * 3600u * 1000u);
    sceneManager->nextTime = FrameClockNow();
    EXPECT_EQ(dayOfRoundToday(), 20260102u);
    pressDayKey();
    EXPECT_EQ(board(), boardFrom(FieldEngine(20260102)));
    EXPECT_NE(boardFrom(FieldEngine(20260102)), boardFrom(FieldEngine(day)));
}

TEST_F(DayRoundTest, TheDaysRoundGoesIntoTheDaysTableAndVerifiesAsThatDaysRound)
{
    pressDayKey();
    ASSERT_TRUE(scene().dayRound);
    for (int t = 0; scene().playing && t < 20000; ++t) {
        const int cell = (t / 9) % 16;
        testmode::setMouse(256 * (cell / 4) + 60, 256 * (cell % 4) + 60);
        testmode::setKey(VK_LBUTTON, t % 9 == 3);
        testmode::setKey(VK_RBUTTON, t % 23 == 7);
        tick();
    }
    const int32_t score = field().score;
    ASSERT_GT(score, 0);
    EXPECT_TRUE(scene().bestScores->table.entries.empty()) << "the main table is not the day's";
    ASSERT_EQ(scene().dayScores->table.entries.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(saveFolder() / "day-20260101.txt"));

    std::string text;
    ASSERT_TRUE(scene().dayScores->readRound(0, text));
    const RoundFileRead read = parseRoundFile(text);
    ASSERT_EQ(read.status, RoundFileStatus::Read) << read.message;
    EXPECT_EQ(read.recording.start.day, 20260101u);
    const auto verify = [&](const std::string& round) {
        const auto path = saveFolder() / "exported.txt";
        std::ofstream(path) << round;
        return verifyRoundFile(path.string());
    };
    const RoundVerdict verdict = verify(text);
    EXPECT_EQ(verdict.exitCode, ExitRoundVerified) << verdict.text;
    EXPECT_NE(verdict.text.find("round of the day 20260101"), std::string::npos) << verdict.text;
    // A round played from another start cannot pass for that day's round.
    RoundRecording moved = read.recording;
    moved.start.seed = 20260102;
    moved.score = playRound(moved).score;
    moved.chain = playRound(moved).chain;
    EXPECT_EQ(verify(formatRoundFile(moved)).exitCode, ExitRoundNotMatching) << verify(formatRoundFile(moved)).text;
}
