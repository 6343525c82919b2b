// The turn cycle after a clear, frame by frame: shrinking, arrow flight and
// pulse, the slide at 105, the turn at 129, refill and regrowth from 130; and
// the countdown that ends a round, also in the middle of a cycle.
#include "field_fixture.h"

#include <algorithm>

namespace {

// Row 0 of one colour over a board without groups; gravity up.
const std::array<std::string, 4> TOP_ROW{"1111", "2323", "3232", "2323"};

TEST_F(FieldTest, TurnCycleRunsItsTableFrameByFrame)
{
    setBoard(TOP_ROW);
    field->phase = 149;
    frame(false, true);  // phase 150: the clear
    ASSERT_EQ(field->phase, 0);
    ASSERT_EQ(picture(field->board), (std::array<std::string, 4>{"....", "2323", "3232", "2323"}));

    int peak = 0;
    for (int k = 1; k <= 146; ++k) {
        frame();
        ASSERT_EQ(field->phase, k);
        const int topShrink = field->shrink[0];
        if (k < 105) {  // the cleared blocks are still shown while they shrink away
            EXPECT_EQ(topShrink, std::min(16 * k, 256)) << k;
            EXPECT_EQ(picture(field->shownBoard)[0], "1111") << k;
        }

        const int flown = std::clamp(k - 19, 0, 30);
        if (k < 130) {
            EXPECT_EQ(arrowShiftX, -20 * flown) << k;
            EXPECT_EQ(arrowShiftY, 12 * flown) << k;
        } else {
            EXPECT_EQ(arrowShiftX, 0) << k;
            EXPECT_EQ(arrowShiftY, 0) << k;
        }
        if (k >= 50 && k < 95) peak = std::max(peak, int(arrowPulse));
        const int expectedPulse = k == 50 ? 69 : k == 63 ? 4 : k >= 94 ? 6 : -1;
        if (expectedPulse >= 0) {  // the last pulse value stays until the next pulse
            EXPECT_EQ(arrowPulse, expectedPulse) << k;
        }

        if (k == 105) {  // the slide: blocks landing in cleared cells are whole at once
            EXPECT_EQ(picture(field->board), (std::array<std::string, 4>{"2323", "3232", "2323", "...."}));
            EXPECT_EQ(picture(field->shownBoard), picture(field->board));
            EXPECT_EQ(field->shrink[0], 0);
            EXPECT_EQ(field->shrink[3], 0);
        }
        if (k > 105 && k < 130) {  // a cell the slide emptied shrinks like a cleared one
            EXPECT_EQ(field->shrink[3], std::min(16 * (k - 105), 256)) << k;
        }
        EXPECT_EQ(field->gravity, k < 129 ? 0 : 3) << k;
        if (k >= 130) {  // refill: full, shown, growing back by 16 a frame
            EXPECT_EQ(picture(field->board), picture(field->shownBoard)) << k;
            EXPECT_EQ(std::count(field->board, field->board + 16, 0), 0) << k;
            EXPECT_EQ(field->shrink[3], 256 - 16 * (k - 130)) << k;
        }
    }
    EXPECT_EQ(peak, 127);
}

TEST_F(FieldTest, RoundEndsOnTheFrameItsTimeRunsOutEvenMidCycle)
{
    for (int i = 0; i < 3600; ++i) ASSERT_FALSE(frame()) << i;
    EXPECT_TRUE(frame());

    // A clear with one frame left earns 24: the cycle stops at phase 24.
    field->resetRound();
    setBoard(TOP_ROW);
    field->phase = 149;
    field->timeLeft = 1;
    frame(false, true);
    ASSERT_EQ(field->timeLeft, 24);
    for (int k = 1; k <= 24; ++k) ASSERT_FALSE(frame());
    const auto board = picture(field->board);
    int32_t shrink[16];
    std::copy(field->shrink, field->shrink + 16, shrink);
    for (int i = 0; i < 50; ++i) EXPECT_TRUE(frame(true, true));
    EXPECT_EQ(field->phase, 24);
    EXPECT_EQ(picture(field->board), board);
    EXPECT_TRUE(std::equal(shrink, shrink + 16, field->shrink));
    EXPECT_EQ(arrowShiftX, 0);
    EXPECT_EQ(arrowShiftY, 0);
}

}  // namespace
