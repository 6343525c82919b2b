// Gravity: the quarter-turn sequence with its wrap after the fourth turn, and
// the slide packing every line toward each of the four sides.
#include "field_fixture.h"

#include <cmath>

namespace {

TEST_F(FieldTest, QuarterTurnsCycleRightDownLeftUpAndWrapAfterFullCircle)
{
    const float halfPi = 1.5707964f, pi = 3.1415927f;
    const float angles[] = {halfPi, pi, 3 * halfPi, 2 * pi, halfPi, pi, 3 * halfPi, 2 * pi, halfPi};
    const int gravities[] = {3, 1, 2, 0, 3, 1, 2, 0, 3};
    EXPECT_EQ(gravityAngle, 0.0f);
    EXPECT_EQ(field->gravity, 0);
    for (int turn = 0; turn < 9; ++turn) {
        field->turnGravity();
        EXPECT_NEAR(gravityAngle, angles[turn], 1e-6f) << "turn " << turn + 1;
        EXPECT_EQ(field->gravity, gravities[turn]) << "turn " << turn + 1;
    }
    // A new round starts the sequence over.
    field->resetRound();
    field->turnGravity();
    EXPECT_NEAR(gravityAngle, halfPi, 1e-6f);
    EXPECT_EQ(field->gravity, 3);
}

TEST_F(FieldTest, SlidePacksEveryLineTowardTheGravitySideInOrder)
{
    struct Case {
        int direction;
        std::array<std::string, 4> before, after;
    };
    const Case cases[] = {
        // column [., A, ., B] and the wild, which slides like any block
        {0, {".W1.", "1.2.", "..3.", "234."}, {"1W1.", "232.", "..3.", "..4."}},
        {1, {".W1.", "1.2.", "..3.", "234."}, {"..1.", "..2.", "1W3.", "234."}},
        // row [A, ., B, .], a full row and an empty row
        {2, {"1.2.", "3455", "....", ".W.4"}, {"12..", "3455", "....", "W4.."}},
        {3, {"1.2.", "3455", "....", ".W.4"}, {"..12", "3455", "....", "..W4"}},
        // nothing to move
        {0, {"1234", "2345", "3451", "4512"}, {"1234", "2345", "3451", "4512"}},
    };
    for (const Case& c : cases) {
        setBoard(c.before);
        field->slide(c.direction);
        EXPECT_EQ(picture(field->board), c.after) << "direction " << c.direction;
        EXPECT_EQ(picture(field->shownBoard), c.after) << "direction " << c.direction;
    }
}

}  // namespace
