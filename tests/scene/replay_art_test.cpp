// What a watched round adds to the picture: the REPLAY mark over the board
// with its pulsing sign, the table's chosen row, framed where the hit test
// finds it, and the day's table under its own heading. Read back from the
// device call log as quads.
#include "scene/game_fixture.h"

#include "framework/graphics/orvGraphics.h"
#include "game/BestScoresPanel.h"
#include "game/ReplayMark.h"
#include "game/ScoreTable.h"

#include <algorithm>

namespace {

class ReplayArtTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testmode::enable();
        testmode::reset();
        testmode::resetGraphics();
        window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWDEFAULT);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(orvGraphics::Initialize(window));
    }
    void TearDown() override
    {
        orvGraphics::Shutdown();
        if (window) DestroyWindow(window);
    }

    // The quads one drawn frame receives from `draw`.
    template <typename Draw> static std::vector<DrawnQuad> frame(Draw draw)
    {
        orvGraphics::BeginFrame();
        testmode::clearCalls();
        draw();
        std::vector<DrawnQuad> quads = quadsInCallLog();
        orvGraphics::EndFrame();
        return quads;
    }

    static ScoreTable tableOf(int entries)
    {
        ScoreTable table;
        for (int i = 0; i < entries; ++i)
            table.entries.push_back({9000 - 100 * i, i % 4, "2026-01-02", "03:04:05", ""});
        return table;
    }

    HWND window = nullptr;
};

bool sameQuad(const DrawnQuad& a, const DrawnQuad& b)
{
    return std::equal(a.x, a.x + 4, b.x) && std::equal(a.y, a.y + 4, b.y) && a.u0 == b.u0 && a.v0 == b.v0;
}

}  // namespace

TEST_F(ReplayArtTest, TheChosenRowIsFramedWhereTheHitTestFindsItAndNowhereElse)
{
    BestScoresPanel panel;
    const ScoreTable full = tableOf(ScoreTable::TABLE_SIZE);
    const std::vector<DrawnQuad> plain = frame([&] { panel.drawTable(full, 3); });
    for (int chosen = 0; chosen < ScoreTable::TABLE_SIZE; ++chosen) {
        SCOPED_TRACE(chosen);
        const std::vector<DrawnQuad> framed = frame([&] { panel.drawTable(full, 3, chosen); });
        ASSERT_EQ(framed.size(), plain.size() + 1) << "one frame more than the table alone";
        // The frame is the one quad the plain table does not have.
        size_t at = 0;
        while (at < plain.size() && sameQuad(framed[at], plain[at])) ++at;
        const DrawnQuad& row = framed[at];
        EXPECT_TRUE(std::equal(framed.begin() + static_cast<std::ptrdiff_t>(at) + 1, framed.end(),
                               plain.begin() + static_cast<std::ptrdiff_t>(at), sameQuad))
            << "the rest of the table is drawn as before";
        const int left = static_cast<int>(row.x[0]), top = static_cast<int>(row.y[0]);
        const int right = left + static_cast<int>(row.width()), bottom = top + static_cast<int>(row.height());
        const int cx = static_cast<int>(row.centreX()), cy = static_cast<int>(row.centreY());
        EXPECT_EQ(panel.entryAt(cx, cy), chosen) << "the row's centre";
        EXPECT_EQ(panel.entryAt(right - 1, bottom - 1), chosen) << "its bottom-right pixel";
        // Above and below: the table's ground between two rows (or beyond the
        // first and the last); left and right: outside the rows.
        EXPECT_EQ(panel.entryAt(cx, top - 1), -1);
        EXPECT_EQ(panel.entryAt(cx, bottom), -1);
        EXPECT_EQ(panel.entryAt(left - 1, cy), -1);
        EXPECT_EQ(panel.entryAt(right, cy), -1);
    }

    // A short table frames no row past its entries.
    const ScoreTable three = tableOf(3);
    const size_t shortTable = frame([&] { panel.drawTable(three, 0); }).size();
    EXPECT_EQ(frame([&] { panel.drawTable(three, 0, 5); }).size(), shortTable);
    EXPECT_EQ(frame([&] { panel.drawTable(three, 0, 2); }).size(), shortTable + 1);
}

// The day's table is the best table with two quads more, right after its
// ground: the heading from (0, 0) and the footer from (0, 128) of their
// image, over the ground's title and footer.
TEST_F(ReplayArtTest, TheDayTableDrawsItsHeadingAndFooterOverTheBestTable)
{
    BestScoresPanel panel;
    const ScoreTable full = tableOf(ScoreTable::TABLE_SIZE);
    const std::vector<DrawnQuad> best = frame([&] { panel.drawTable(full, 3, 2, TableKind::Best); });
    const std::vector<DrawnQuad> day = frame([&] { panel.drawTable(full, 3, 2, TableKind::Day); });
    ASSERT_EQ(day.size(), best.size() + 2);
    ASSERT_FALSE(best.empty());
    const DrawnQuad& ground = best[0];
    EXPECT_TRUE(sameQuad(day[0], ground)) << "the table's ground first";
    struct Expected {
        const char* name;
        float x, y, width, height;
        int sourceY;
    };
    const Expected parts[] = {{"heading", ground.x[0] + 40, ground.y[0] + 12, 720, 84, 0},
                              {"footer", ground.x[0] + 40, ground.y[0] + 560, 720, 72, 128}};
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(parts[i].name);
        const DrawnQuad& q = day[i + 1];
        EXPECT_FLOAT_EQ(q.x[0], parts[i].x);
        EXPECT_FLOAT_EQ(q.y[0], parts[i].y);
        EXPECT_FLOAT_EQ(q.width(), parts[i].width);
        EXPECT_FLOAT_EQ(q.height(), parts[i].height);
        EXPECT_EQ(q.sourceX(1024), 0);
        EXPECT_EQ(q.sourceY(256), parts[i].sourceY);
    }
    EXPECT_TRUE(std::equal(day.begin() + 3, day.end(), best.begin() + 1, sameQuad)) << "the rows as in the best table";
    const std::vector<DrawnQuad> byDefault = frame([&] { panel.drawTable(full, 3, 2); });
    EXPECT_TRUE(byDefault.size() == best.size() && std::equal(best.begin(), best.end(), byDefault.begin(), sameQuad))
        << "the best table is the one drawn unless asked";
}

TEST_F(ReplayArtTest, TheReplayMarkSitsOnTheBoardAndItsSignPulsesGentlyInTicks)
{
    ReplayMark mark;
    const std::vector<DrawnQuad> quads = frame([&] { mark.draw(0); });
    ASSERT_EQ(quads.size(), 2u) << "the banner and its sign";
    const DrawnQuad &banner = quads[0], &sign = quads[1];
    EXPECT_GE(banner.x[0], 0);
    EXPECT_LE(banner.x[0] + banner.width(), 1024) << "on the board, clear of the status column";
    EXPECT_LE(banner.width() * banner.height(), 1024 * 1024 / 20) << "hides little of the board";

    // Over one period the sign goes from dim to bright and back, a step at a
    // time, and the next period repeats it; a count from before the start
    // (negative) pulses the same way.
    int lowest = ReplayMark::SignLevels, highest = -1;
    for (int32_t tick = -ReplayMark::PulsePeriod; tick < 2 * ReplayMark::PulsePeriod; ++tick) {
        const int32_t level = ReplayMark::signLevel(tick);
        lowest = std::min(lowest, level);
        highest = std::max(highest, level);
        EXPECT_LE(std::abs(level - ReplayMark::signLevel(tick + 1)), 1) << tick;
        EXPECT_EQ(level, ReplayMark::signLevel(tick + ReplayMark::PulsePeriod)) << tick;
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, ReplayMark::SignLevels - 1);
    const std::vector<DrawnQuad> bright = frame([&] { mark.draw(ReplayMark::PulsePeriod / 2); });
    ASSERT_EQ(bright.size(), 2u);
    EXPECT_TRUE(sameQuad(bright[0], banner)) << "the banner stands still";
    EXPECT_NE(bright[1].u0, sign.u0) << "the sign shows another cell, in the same place";
    EXPECT_EQ(bright[1].x[0], sign.x[0]);
}

TEST(ReplayArtWithoutDevice, TheMarkAndTheChosenRowDrawNothingAndTheHitTestStillWorks)
{
    testmode::enable();
    testmode::reset();
    testmode::clearCalls();
    ReplayMark mark;
    mark.draw(5);
    BestScoresPanel panel;
    panel.drawTable(ScoreTable(), 0, 0);
    EXPECT_TRUE(quadsInCallLog().empty());
    EXPECT_EQ(panel.entryAt(400, 340), 0);
}
