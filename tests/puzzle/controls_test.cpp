// The mouse controls: one colour change per press, drags, presses held through
// the turn cycle, the strict hit test, changing the wild, and the third change
// after a clear breaking the chain.
#include "field_fixture.h"

namespace {

const std::array<std::string, 4> NO_GROUPS{"2323", "3232", "2323", "3232"};

TEST_F(FieldTest, LeftPressChangesOneCellOncePerPressAndTurnsGravity)
{
    setBoard(NO_GROUPS);
    pointAt(1, 2);  // a 3
    frame(true);
    EXPECT_EQ(field->board[1 * 4 + 2], 4);
    EXPECT_EQ(field->shownBoard[1 * 4 + 2], 3);  // shown from the next refill
    EXPECT_EQ(field->gravity, 3);
    frame(true);  // still held, also when dragged to other cells
    pointAt(2, 2);
    frame(true);
    pointAt(3, 3);
    frame(true);
    EXPECT_EQ(picture(field->board), (std::array<std::string, 4>{"2323", "3232", "2423", "3232"}));
    EXPECT_EQ(field->shownBoard[1 * 4 + 2], 4);
    EXPECT_EQ(field->gravity, 3);
    frame(false);
    frame(true);  // a new press on (3, 3): 2 → 3
    EXPECT_EQ(field->board[3 * 4 + 3], 3);
    EXPECT_EQ(field->changeCount, 2);

    // Colours cycle back to 1 after 5.
    field->board[0] = 5;
    pointAt(0, 0);
    frame(false);
    frame(true);
    EXPECT_EQ(field->board[0], 1);

    // A press begun off the board changes the first cell it reaches.
    frame(false);
    testmode::setMouse(1100, 300);
    frame(true);
    pointAt(0, 1);
    frame(true);
    EXPECT_EQ(field->board[1], 4);
}

TEST_F(FieldTest, CellBordersAndTheStatusColumnHitNothing)
{
    setBoard(NO_GROUPS);
    const int misses[][2] = {{256, 100}, {100, 512}, {0, 100}, {100, 0}, {1024, 100}, {1100, 500}, {-5, 100}};
    for (const auto& m : misses) {
        testmode::setMouse(m[0], m[1]);
        frame(false);
        frame(true);
        EXPECT_EQ(picture(field->board), NO_GROUPS) << m[0] << "," << m[1];
    }
    // One pixel inside the last cell's corner hits it; the cursor minus the
    // window's top-left corner is the position.
    testmode::setWindowRect(RECT{-300, 20, 1000, 1070});
    testmode::setCursor(-300 + 1023, 20 + 1023);
    frame(false);
    frame(true);
    EXPECT_EQ(field->board[15], 3);
}

TEST_F(FieldTest, PressesHeldThroughTheCycleAreTakenWhenInputOpens)
{
    setBoard({"1111", "2323", "3232", "2323"});
    field->phase = 149;
    frame(false, true);  // the clear
    pointAt(2, 2);
    for (int k = 1; k < 130; ++k) frame(true, false);
    const int before = field->board[2 * 4 + 2];
    EXPECT_EQ(field->gravity, 3);  // only the turn at 129
    frame(true, false);            // phase 130: the held left press is taken now
    EXPECT_EQ(field->board[2 * 4 + 2], before % 5 + 1);
    EXPECT_EQ(field->gravity, 1);

    // A right press held from 130 is taken at 150.
    frame(false, false);
    for (int k = 132; k < 150; ++k) {
        frame(false, true);
        ASSERT_EQ(field->phase, k);
    }
    frame(false, true);
    EXPECT_TRUE(field->phase == 0 || field->phase == 130);  // evaluated, whatever the refill brought
    EXPECT_TRUE(field->rightHeld);
}

TEST_F(FieldTest, ChangingTheWildMakesColourOneAndLetsANewWildSpawn)
{
    setBoard({"W323", "3232", "2323", "3232"});
    pointAt(0, 0);
    frame(true);
    EXPECT_EQ(field->board[0], 1);
    EXPECT_FALSE(field->wildPresent);

    // With no wild left, the refill may place one again.
    bool spawned = false;
    for (int tries = 0; tries < 400 && !spawned; ++tries) {
        field->board[tries % 16] = 0;
        frame(false);
        spawned = field->wildPresent;
    }
    EXPECT_TRUE(spawned);
    EXPECT_EQ(std::count(field->board, field->board + 16, PuzzleField::WILD), 1);
}

TEST_F(FieldTest, ThirdColourChangeAfterAClearBreaksTheChain)
{
    setBoard(NO_GROUPS);
    field->chain = 3;
    field->changeCount = 0;
    pointAt(0, 0);
    for (int change = 1; change <= 3; ++change) {
        frame(true);
        frame(false);
        EXPECT_EQ(field->chain, change < 3 ? 3 : 0) << change;
    }
    setBoard({"1323", "1232", "1323", "1232"});
    field->score = 0;
    field->phase = 149;
    frame(false, true);
    EXPECT_EQ(field->chain, 1);
    EXPECT_EQ(field->score, 380);
}

}  // namespace
