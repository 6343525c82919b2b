// The field model: a new field, the round reset, and the refill's draws (one
// colour draw and one wild draw per empty cell, in index order, at most one wild).
#include "field_fixture.h"

#include <algorithm>

namespace {

TEST_F(FieldTest, NewFieldShowsABoardButCountsAsAFinishedRound)
{
    PuzzleField fresh;
    EXPECT_EQ(fresh.timeLeft, 0);
    for (int k = 0; k < 16; ++k) {
        EXPECT_GE(fresh.board[k], 1);
        EXPECT_LE(fresh.board[k], 5);
        EXPECT_EQ(fresh.shownBoard[k], fresh.board[k]);
    }
    EXPECT_FALSE(fresh.wildPresent);
    arrowShiftX = 7;
    const auto board = picture(fresh.board);
    EXPECT_TRUE(fresh.update());
    EXPECT_EQ(arrowShiftX, 0);
    EXPECT_EQ(fresh.phase, 130);
    EXPECT_EQ(picture(fresh.board), board);
}

TEST_F(FieldTest, FirstFrameOfARoundDrawsNothingFromTheEngine)
{
    const FieldEngine before = fieldRandom;
    EXPECT_FALSE(frame());
    EXPECT_EQ(field->phase, 131);
    EXPECT_EQ(field->timeLeft, 3599);
    EXPECT_TRUE(fieldRandom == before);
    EXPECT_TRUE(std::all_of(field->shrink, field->shrink + 16, [](int s) { return s == 0; }));
}

// What the refill must produce from a given engine state: per empty cell a
// colour draw, then a wild draw that makes the first success the wild.
std::vector<int> expectedRefill(FieldEngine engine, const int32_t (&board)[16], bool wildPresent)
{
    std::vector<int> cells(board, board + 16);
    for (int& v : cells) {
        if (v != 0) continue;
        v = std::uniform_int_distribution<int>(1, 5)(engine);
        if (std::uniform_int_distribution<int>(0, 15)(engine) == 1 && !wildPresent) {
            wildPresent = true;
            v = PuzzleField::WILD;
        }
    }
    return cells;
}

TEST_F(FieldTest, RefillDrawsPerEmptyCellAndPlacesAtMostOneWild)
{
    // Find a seed whose draws ask for two or more wilds over sixteen empty cells.
    uint32_t seed = 0;
    for (;; ++seed) {
        std::mt19937 probe(seed);
        int asks = 0;
        for (int k = 0; k < 16; ++k) {
            std::uniform_int_distribution<int>(1, 5)(probe);
            asks += std::uniform_int_distribution<int>(0, 15)(probe) == 1;
        }
        if (asks >= 2) break;
    }
    for (bool wildAlready : {false, true}) {
        setBoard({"....", "....", "....", wildAlready ? "...W" : "...."});
        std::fill(field->shrink, field->shrink + 16, 0);
        fieldRandom.seed(seed);
        std::vector<int> expected = expectedRefill(fieldRandom, field->board, wildAlready);
        field->refill();
        EXPECT_EQ(std::vector<int>(field->board, field->board + 16), expected);
        EXPECT_EQ(std::count(field->board, field->board + 16, PuzzleField::WILD), 1);
        EXPECT_TRUE(field->wildPresent);
        EXPECT_EQ(picture(field->shownBoard), picture(field->board));
        for (int k = 0; k < 16; ++k) EXPECT_EQ(field->shrink[k], k == 15 && wildAlready ? 0 : 256);
    }
    // A new round holds no wild and lets one spawn again.
    field->resetRound();
    EXPECT_FALSE(field->wildPresent);
    EXPECT_EQ(std::count(field->board, field->board + 16, PuzzleField::WILD), 0);
}

}  // namespace
