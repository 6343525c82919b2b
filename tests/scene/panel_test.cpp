// The status panel's numbers: the digits a counter shows for a value, the
// shown score rolling toward the real score, whole seconds of the time left,
// and the counters' limits. No device is needed: sprites without a texture
// draw nothing, the numbers are the same.
#include "game/DigitCounter.h"
#include "game/PuzzleField.h"
#include "game/StatusPanel.h"

#include "platform/testing.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

std::string digits(const DigitCounter& counter)
{
    std::string shown;
    for (int i = 0; i < counter.digitCount; ++i) shown += char('0' + counter.cells[i].digit);
    return shown;
}

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testmode::enable();
        testmode::reset();
        field = new PuzzleField();
        panel = new StatusPanel();
    }
    void TearDown() override
    {
        delete panel;
        delete field;
    }

    // One tick of a running round as the panel sees it.
    void update(int32_t timeLeft, int32_t score, int32_t chain)
    {
        field->timeLeft = timeLeft;
        field->score = score;
        field->chain = chain;
        panel->Update(*field);
    }

    PuzzleField* field = nullptr;
    StatusPanel* panel = nullptr;
};

}  // namespace

TEST(DigitCounterTest, ShowsTheLowestDigitsWithLeadingZeros)
{
    testmode::enable();
    DigitCounter six(6, "DATA/number.png");
    EXPECT_EQ(digits(six), "000000");
    EXPECT_FALSE(six.Set(0)) << "a new counter already shows 0";
    EXPECT_TRUE(six.Set(120));
    EXPECT_EQ(digits(six), "000120");
    EXPECT_TRUE(six.Set(1234567));
    EXPECT_EQ(digits(six), "234567");
    EXPECT_FALSE(six.Set(1234567));
    EXPECT_EQ(six.value, 1234567);
    EXPECT_TRUE(six.Set(-45));
    EXPECT_EQ(digits(six), "000000") << "a negative value must not point left of the sheet";

    DigitCounter two(2, "DATA/rensa.png");
    EXPECT_TRUE(two.Set(100));
    EXPECT_EQ(digits(two), "00");
    EXPECT_TRUE(two.Set(7));
    EXPECT_EQ(digits(two), "07");

    // Ten digits would divide the digit step by zero: held to nine.
    DigitCounter wide(12, "DATA/number.png");
    EXPECT_EQ(wide.digitCount, DigitCounter::MAX_DIGITS);
    wide.Set(987654321);
    EXPECT_EQ(digits(wide), "987654321");
    wide.Draw(0, 0, 48, 48);
    EXPECT_EQ(wide.cells[8].width, 48);
    DigitCounter none(0, "DATA/number.png");
    EXPECT_EQ(none.digitCount, 1);
}

TEST_F(PanelTest, ShownScoreClimbsByTenPerChainStepAndNeverPassesTheScore)
{
    for (int tick = 1; tick <= 10; ++tick) {
        update(3000, 100, 0);
        EXPECT_EQ(panel->shownScore, 10 * tick);
    }
    update(3000, 100, 0);
    EXPECT_EQ(panel->shownScore, 100);
    EXPECT_EQ(digits(*panel->scoreCounter), "000100");

    // A new round drops the score to 0: followed at once.
    update(3600, 0, 0);
    EXPECT_EQ(panel->shownScore, 0);
    EXPECT_EQ(digits(*panel->scoreCounter), "000000");

    const int expected[] = {30, 60, 90, 100, 100};
    for (int shown : expected) {
        update(3000, 100, 2);
        EXPECT_EQ(panel->shownScore, shown);
    }

    // The field caps its score at the largest int32; the last step lands on
    // it instead of wrapping.
    panel->shownScore = INT_MAX - 5;
    update(3000, INT_MAX, 1);
    EXPECT_EQ(panel->shownScore, INT_MAX);

    // A score of a million or more shows its lowest six digits.
    panel->shownScore = 1000120;
    update(3000, 1000123, 0);
    EXPECT_EQ(digits(*panel->scoreCounter), "000123");
}

TEST_F(PanelTest, TimeShowsWholeSecondsAndTwoDigitCountersDropTheHundreds)
{
    update(3600, 0, 0);
    EXPECT_EQ(digits(*panel->timeCounter), "60");
    update(60, 0, 0);
    EXPECT_EQ(digits(*panel->timeCounter), "01");
    update(59, 0, 0);
    EXPECT_EQ(digits(*panel->timeCounter), "00");
    update(5940, 0, 100);
    EXPECT_EQ(digits(*panel->timeCounter), "99");
    EXPECT_EQ(digits(*panel->chainCounter), "00");
    update(5940, 0, 12);
    EXPECT_EQ(digits(*panel->chainCounter), "12");
    EXPECT_EQ(panel->timeFrames, 5940);
    EXPECT_EQ(panel->chainCount, 12);
}
