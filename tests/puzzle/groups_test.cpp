// Groups, clearing, chains and score: the worked score and time values, the
// wild's rules, failed evaluations, the time cap, and the path count against
// a plain count of distinct cells on many random boards.
#include "field_fixture.h"

#include <climits>
#include <random>
#include <set>

namespace {

// Column 0 filled with colour 1 over a checkerboard of 2 and 3 that has no group.
const std::array<std::string, 4> FOUR_IN_A_COLUMN{"1323", "1232", "1323", "1232"};

TEST_F(FieldTest, ClearScoresAndAddsTimeAsTheWorkedValues)
{
    struct Case {
        int chainBefore;
        std::array<std::string, 4> rows;
        int n, score, time;
    };
    const Case cases[] = {
        {0, {"1323", "1232", "1323", "W232"}, 3, 310, 18},
        {0, FOUR_IN_A_COLUMN, 4, 380, 24},
        {1, FOUR_IN_A_COLUMN, 4, 560, 48},
        {2, {"1123", "1232", "1323", "1232"}, 5, 850, 90},
        {9, FOUR_IN_A_COLUMN, 4, 2000, 240},
        {10, FOUR_IN_A_COLUMN, 4, 2180, 240},
        {0, {"1324", "1234", "1324", "1234"}, 8, 660, 48},  // two groups, one chain step
    };
    for (const Case& c : cases) {
        setBoard(c.rows);
        field->chain = c.chainBefore;
        field->score = 0;
        field->timeLeft = 0;
        field->changeCount = 2;
        field->phase = 150;
        field->evaluate();
        EXPECT_EQ(cellsEmptied(), c.n) << c.rows[0];
        EXPECT_EQ(field->chain, c.chainBefore + 1);
        EXPECT_EQ(field->score, c.score) << c.rows[0];
        EXPECT_EQ(field->timeLeft, c.time) << c.rows[0];
        EXPECT_EQ(field->phase, 0);
        EXPECT_EQ(field->changeCount, 0);
        EXPECT_TRUE(field->rightHeld);
        EXPECT_FALSE(field->wildPresent);
    }
}

TEST_F(FieldTest, WildJoinsEveryGroupItTouchesButLinksNone)
{
    // A A wild A: the wild does not join the two runs into one group.
    setBoard({"11W1", "2323", "3232", "2323"});
    field->evaluate();
    EXPECT_EQ(picture(field->board), picture(field->shownBoard));
    EXPECT_EQ(field->phase, 130);
    EXPECT_TRUE(field->wildPresent);

    // One wild finishing a group of A and a group of B clears both, N = 6.
    setBoard({"111W", "2324", "3234", "2324"});
    field->chain = 0;
    field->score = 0;
    field->timeLeft = 0;
    field->evaluate();
    EXPECT_EQ(picture(field->board), (std::array<std::string, 4>{"....", "232.", "323.", "232."}));
    EXPECT_EQ(field->score, 520);  // ((1 × 0.4) × 6 + 6) × 50 + 100
    EXPECT_EQ(field->timeLeft, 36);
    EXPECT_FALSE(field->wildPresent);

    // A lone wild counts 1 and is never cleared; three of a colour are not enough.
    setBoard({"W323", "3112", "2313", "3232"});
    int32_t counter = 0;
    field->countGroup(0, 0, counter);
    EXPECT_EQ(counter, 1);
    field->evaluate();
    EXPECT_EQ(picture(field->board), picture(field->shownBoard));
    EXPECT_TRUE(field->wildPresent);
}

TEST_F(FieldTest, FailedEvaluationOnlyLocksOutForTwentyFrames)
{
    setBoard({"2323", "3232", "2323", "3232"});
    field->chain = 3;
    field->changeCount = 1;
    field->score = 777;
    field->timeLeft = 1000;
    field->phase = 200;
    field->rightHeld = false;
    field->evaluate();
    EXPECT_EQ(field->phase, 130);
    EXPECT_TRUE(field->rightHeld);
    EXPECT_EQ(field->chain, 3);
    EXPECT_EQ(field->changeCount, 1);
    EXPECT_EQ(field->score, 777);
    EXPECT_EQ(field->timeLeft, 1000);

    // The next press is taken 20 frames later, not before.
    frame(false, false);
    for (int i = 0; i < 18; ++i) frame(false, true);
    EXPECT_EQ(field->phase, 149);
    frame(false, true);
    EXPECT_EQ(field->phase, 130);  // evaluated again at 150, failed again
}

TEST_F(FieldTest, TimeBonusStopsAtTheCapAndScoreAtTheLargestValue)
{
    setBoard(FOUR_IN_A_COLUMN);
    field->timeLeft = 5900;
    field->chain = 3;  // chain 4, N = 4: a bonus of 96
    field->evaluate();
    EXPECT_EQ(field->timeLeft, 5940);

    setBoard(FOUR_IN_A_COLUMN);
    field->score = INT_MAX - 100;
    field->evaluate();
    EXPECT_EQ(field->score, INT_MAX);
}

// Distinct cells of the start cell's colour group plus its touching wild.
int distinctGroupSize(const int32_t (&b)[16], int start)
{
    if (b[start] == PuzzleField::WILD) return 1;
    std::set<int> group{start};
    std::vector<int> todo{start};
    bool wild = false;
    while (!todo.empty()) {
        const int k = todo.back();
        todo.pop_back();
        const int c = k / 4, r = k % 4;
        const int nc[4] = {c + 1, c, c - 1, c}, nr[4] = {r, r + 1, r, r - 1};
        for (int i = 0; i < 4; ++i) {
            if (nc[i] < 0 || nc[i] > 3 || nr[i] < 0 || nr[i] > 3) continue;
            const int n = nc[i] * 4 + nr[i];
            wild = wild || b[n] == PuzzleField::WILD;
            if (b[n] == b[start] && group.insert(n).second) todo.push_back(n);
        }
    }
    return static_cast<int>(group.size()) + (wild ? 1 : 0);
}

TEST_F(FieldTest, PathCountDecidesAsDistinctCellsAndClearEmptiesExactly)
{
    std::mt19937 boards(7);
    for (int trial = 0; trial < 20000; ++trial) {
        const int colours = 2 + trial % 4;
        int32_t b[16];
        for (int32_t& v : b) v = std::uniform_int_distribution<int>(1, colours)(boards);
        if (trial % 2) b[std::uniform_int_distribution<int>(0, 15)(boards)] = PuzzleField::WILD;
        for (int k = 0; k < 16; ++k) field->board[k] = b[k];
        field->wildPresent = trial % 2;

        std::set<int> expected;
        for (int k = 0; k < 16; ++k) {
            int32_t counter = 0;
            for (int j = 0; j < 16; ++j) field->shownBoard[j] = b[j];
            field->countGroup(k / 4, k % 4, counter);
            const bool qualifies = distinctGroupSize(b, k) >= 4;
            ASSERT_EQ(counter >= 4, qualifies) << "trial " << trial << " cell " << k;
            if (qualifies) expected.insert(k);
        }
        // Each qualifying group takes its touching wild with it.
        for (int k = 0; k < 16; ++k)
            if (b[k] == PuzzleField::WILD)
                for (int n : {k + 4, k - 4, k % 4 < 3 ? k + 1 : -1, k % 4 > 0 ? k - 1 : -1})
                    if (n >= 0 && n < 16 && expected.count(n)) expected.insert(k);

        field->chain = 0;
        field->evaluate();
        for (int k = 0; k < 16; ++k) {
            ASSERT_EQ(field->shownBoard[k], b[k]);
            ASSERT_EQ(field->board[k], expected.count(k) ? 0 : b[k]) << "trial " << trial << " cell " << k;
        }
        bool wildLeft = false;
        for (int v : field->board) wildLeft = wildLeft || v == PuzzleField::WILD;
        ASSERT_EQ(field->wildPresent, wildLeft);
    }
}

}  // namespace
