// Whole rounds: a scripted player that hunts for clears, and thousands of
// rounds of random mouse input holding the field's invariants every frame.
#include "field_fixture.h"

#include <algorithm>
#include <random>

namespace {

class PlayTest : public FieldTest {
protected:
    // The invariants that hold after every update of a running round.
    void checkInvariants(int32_t changesBefore)
    {
        ASSERT_LE(field->timeLeft, 5940);
        const auto wilds = std::count(field->board, field->board + 16, PuzzleField::WILD);
        ASSERT_LE(wilds, 1);
        ASSERT_EQ(field->wildPresent, wilds == 1);
        for (int s : field->shrink) ASSERT_TRUE(s >= 0 && s <= 256 && s % 16 == 0) << s;
        if (field->phase < 130) return;
        ASSERT_EQ(std::count(field->board, field->board + 16, 0), 0);
        // A colour change made after this frame's refill shows from the next
        // refill, or at once to an evaluation of the same frame.
        int differing = 0;
        for (int k = 0; k < 16; ++k) differing += field->board[k] != field->shownBoard[k];
        ASSERT_LE(differing, field->changeCount != changesBefore ? 1 : 0);
    }

    // A cell whose one colour step makes a group qualify, or -1.
    int findClearingCell(PuzzleField& scratch)
    {
        for (int k = 0; k < 16; ++k) {
            std::copy(field->board, field->board + 16, scratch.shownBoard);
            scratch.shownBoard[k] = scratch.shownBoard[k] % 5 + 1;
            for (int start = 0; start < 16; ++start) {
                int32_t counter = 0;
                scratch.countGroup(start / 4, start % 4, counter);
                if (counter >= 4) return k;
            }
        }
        return -1;
    }
};

TEST_F(PlayTest, ScriptedRoundPlaysToItsEndWithClearsAndChains)
{
    PuzzleField scratch;
    int frames = 0, clears = 0, maxChain = 0, gained = 0;
    int target = -1, step = 0;
    bool over = false;
    while (!over && frames < 20000) {
        bool left = false, right = false;
        // A good player can keep a round going for ever: this one stops
        // playing after fifteen clears and lets the clock run out.
        if (field->phase >= 150 && clears < 15) {
            // press and release the left button on a cell, then the right one
            if (step == 0) target = findClearingCell(scratch);
            if (target < 0) target = frames % 16;
            pointAt(target / 4, target % 4);
            left = step == 0;
            right = step == 2;
            step = (step + 1) % 4;
        } else {
            step = 0;
        }
        const int timeBefore = field->timeLeft;
        const int32_t changesBefore = field->changeCount;
        over = frame(left, right);
        if (over) break;
        ++frames;
        if (field->phase == 0) {
            ++clears;
            maxChain = std::max(maxChain, int(field->chain));
            gained += field->timeLeft + 1 - timeBefore;
        }
        checkInvariants(changesBefore);
    }
    EXPECT_TRUE(over);
    EXPECT_EQ(frames, 3600 + gained);
    EXPECT_EQ(clears, 15);
    EXPECT_GE(maxChain, 3);
    EXPECT_GT(field->score, 0);
    EXPECT_TRUE(frame());
}

TEST_F(PlayTest, RandomPlayKeepsTheInvariantsEveryFrame)
{
    std::mt19937 player(2024);
    bool left = false, right = false;
    for (int round = 0; round < 2000; ++round) {
        field->resetRound();
        checkInvariants(field->changeCount);
        for (;;) {
            const unsigned roll = player() % 100;
            if (roll < 12) left = !left;
            else if (roll < 20) right = !right;
            else if (roll < 35) testmode::setMouse(int(player() % 1100) - 20, int(player() % 1060) - 20);
            const int32_t changesBefore = field->changeCount;
            if (frame(left, right)) break;
            checkInvariants(changesBefore);
            if (HasFatalFailure()) return;
        }
    }
}

}  // namespace
