// The generated images, read back from build/DATA: the sizes and layouts the
// game's drawing relies on (piece strip, cell-clear board frame, digit cells,
// status column wells, an arrow that points up).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "DecodedImage.h"

namespace {

TEST(GeneratedImages, EveryImageIsRgbaAtItsPowerOfTwoSize)
{
    struct Expected {
        const char* path;
        int width, height;
    };
    const Expected images[] = {
        {"DATA/PuzzleField/peace.png", 2048, 256},
        {"DATA/PuzzleField/window.png", 1024, 1024},
        {"DATA/UI/Status.png", 256, 1024},
        {"DATA/PuzzleField/arrow.png", 256, 256},
        {"DATA/UI/colorChange.png", 256, 256},
        {"DATA/number.png", 512, 128},
        {"DATA/rensa.png", 512, 128},
        {"DATA/gamestart.png", 1024, 128},
        {"DATA/mouse/MousePointer.png", 64, 64},
        {"DATA/mouse/PointRotate.png", 64, 64},
        {"DATA/PARTICLE.PNG", 64, 64},
        {"icons/256.png", 256, 256},
        {"icons/16.png", 16, 16},
        {"icons/512.png", 512, 512},
        {"DATA/PuzzleField/cursor.png", 256, 256},
        {"DATA/UI/paused.png", 1024, 1024},
        {"DATA/UI/volume.png", 512, 512},
        {"DATA/UI/BestScores.png", 1024, 1024},
        {"DATA/UI/replay.png", 512, 256},
        {"DATA/UI/chosen.png", 1024, 64},
        {"DATA/UI/dayround.png", 1024, 128},
        {"DATA/UI/daytable.png", 1024, 256},
    };
    for (const Expected& e : images) {
        SCOPED_TRACE(e.path);
        DecodedImage image = decodePng(e.path);
        ASSERT_TRUE(image.loaded);
        EXPECT_EQ(image.width, e.width);
        EXPECT_EQ(image.height, e.height);
        EXPECT_TRUE(image.hadAlphaChannel);
        EXPECT_GT(image.countVisible(0, 0, image.width, image.height, 200), image.width * image.height / 100)
            << "image is (nearly) blank";
    }
}

TEST(GeneratedImages, PieceStripHoldsSixDistinctBlocksWithClearCorners)
{
    DecodedImage strip = decodePng("DATA/PuzzleField/peace.png");
    ASSERT_TRUE(strip.loaded);
    for (int piece = 0; piece < 6; ++piece) {
        SCOPED_TRACE(piece + 1);
        int x = 256 * piece;
        EXPECT_EQ(strip.alpha(x + 128, 128), 255) << "block centre must be solid";
        EXPECT_EQ(strip.alpha(x + 1, 1), 0) << "rounded corner must be clear";
        EXPECT_EQ(strip.alpha(x + 254, 254), 0);
        EXPECT_GT(strip.countVisible(x, 0, x + 256, 256, 255), 256 * 256 * 3 / 5) << "block fills its cell";
    }
    EXPECT_EQ(strip.countVisible(1536, 0, 2048, 256, 1), 0) << "nothing beyond the six pieces";
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b) {
            double difference = 0;
            for (int y = 0; y < 256; y += 2)
                for (int x = 0; x < 256; x += 2)
                    for (int k = 0; k < 4; ++k)
                        difference += std::abs(int(strip.at(256 * a + x, y)[k]) - int(strip.at(256 * b + x, y)[k]));
            EXPECT_GT(difference / (128.0 * 128.0 * 4), 20.0)
                << "pieces " << a + 1 << " and " << b + 1 << " look alike";
        }
}

TEST(GeneratedImages, BoardFrameIsClearOverEveryCellAndDrawsGridAndBorder)
{
    DecodedImage frame = decodePng("DATA/PuzzleField/window.png");
    ASSERT_TRUE(frame.loaded);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            int x = 256 * c, y = 256 * r;
            EXPECT_EQ(frame.countVisible(x + 28, y + 28, x + 228, y + 228, 1), 0) << "cell " << c << "," << r;
        }
    for (int k = 1; k < 4; ++k) {
        EXPECT_GT(frame.alpha(256 * k, 100), 128) << "vertical grid line " << k;
        EXPECT_GT(frame.alpha(100, 256 * k), 128) << "horizontal grid line " << k;
    }
    for (int along : {100, 500, 900}) {
        EXPECT_GT(frame.alpha(1, along), 200);
        EXPECT_GT(frame.alpha(1022, along), 200);
        EXPECT_GT(frame.alpha(along, 1), 200);
        EXPECT_GT(frame.alpha(along, 1022), 200);
    }
}

// Every digit sits inside its own 64 x 64 cell, leaving the cell's edge
// columns clear so digits drawn 36 (or 28) pixels apart do not collide.
void expectDigitSheet(const char* path)
{
    SCOPED_TRACE(path);
    DecodedImage sheet = decodePng(path);
    ASSERT_TRUE(sheet.loaded);
    std::vector<std::vector<bool>> inks;
    for (int d = 0; d < 16; ++d) {
        int x = 64 * (d % 8), y = 64 * (d / 8);
        if (d >= 10) {
            EXPECT_EQ(sheet.countVisible(x, y, x + 64, y + 64, 1), 0) << "cell " << d << " must stay empty";
            continue;
        }
        EXPECT_GT(sheet.countVisible(x + 8, y + 4, x + 56, y + 60, 250), 250) << "digit " << d << " missing";
        EXPECT_EQ(sheet.countVisible(x, y, x + 3, y + 64, 64), 0) << "digit " << d << " touches its left edge";
        EXPECT_EQ(sheet.countVisible(x + 61, y, x + 64, y + 64, 64), 0) << "digit " << d << " touches its right edge";
        std::vector<bool> ink;
        for (int py = y; py < y + 64; ++py)
            for (int px = x; px < x + 64; ++px)
                ink.push_back(sheet.alpha(px, py) > 128 && sheet.luminance(px, py) > 0.5f);
        inks.push_back(ink);
    }
    for (size_t a = 0; a < inks.size(); ++a)
        for (size_t b = a + 1; b < inks.size(); ++b) {
            int differ = 0;
            for (size_t i = 0; i < inks[a].size(); ++i) differ += inks[a][i] != inks[b][i];
            EXPECT_GT(differ, 80) << "digits " << a << " and " << b << " look alike";
        }
}

TEST(GeneratedImages, DigitSheetsHoldTenDigitsInTheirCells)
{
    expectDigitSheet("DATA/number.png");
    expectDigitSheet("DATA/rensa.png");
}

TEST(GeneratedImages, ScoreAndChainDigitsAreInDifferentStyles)
{
    DecodedImage score = decodePng("DATA/number.png"), chain = decodePng("DATA/rensa.png");
    ASSERT_TRUE(score.loaded && chain.loaded);
    double redMinusBlue[2] = {0, 0};
    const DecodedImage* sheets[2] = {&score, &chain};
    for (int s = 0; s < 2; ++s)
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 512; ++x)
                if (sheets[s]->alpha(x, y) == 255)
                    redMinusBlue[s] += int(sheets[s]->at(x, y)[0]) - int(sheets[s]->at(x, y)[2]);
    EXPECT_LT(redMinusBlue[0], 0) << "score digits are cool-coloured";
    EXPECT_GT(redMinusBlue[1], 0) << "chain digits are warm-coloured";
}

// The game draws the counters, the arrow and the colour-change icon over the
// column: those places must be dark wells, with a bright label above each.
TEST(GeneratedImages, StatusColumnKeepsItsTextClearOfWhatTheGameDrawsOverIt)
{
    DecodedImage column = decodePng("DATA/UI/Status.png");
    ASSERT_TRUE(column.loaded);
    auto brightPixels = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += column.luminance(x, y) > 0.6f;
        return n;
    };
    struct Well {
        const char* name;
        int x0, y0, x1, y1;
        int labelTop;
    };
    const Well wells[] = {{"score", 16, 270, 246, 320, 220},
                          {"chain", 96, 530, 162, 568, 490},
                          {"time", 76, 690, 156, 740, 645},
                          {"colour icon", 32, 796, 224, 988, 760}};
    for (const Well& w : wells) {
        SCOPED_TRACE(w.name);
        EXPECT_EQ(brightPixels(w.x0, w.y0, w.x1, w.y1), 0);
        EXPECT_GT(brightPixels(20, w.labelTop, 236, w.y0 - 6), 100) << "no label above";
    }
    EXPECT_EQ(brightPixels(80, 80, 176, 176), 0) << "the arrow's socket must stay dark";
    EXPECT_EQ(column.countVisible(0, 0, 256, 1024, 255), 256 * 1024) << "the column is opaque";
}

// The REPLAY banner lies over a playing board: clear around its band, opaque
// in it; the sign's cells brighten from the first to the last, so stepping
// through them pulses. The chosen row's frame leaves the row's figures
// readable: see-through in its middle, drawn at its edge.
TEST(GeneratedImages, ReplayMarkPulsesOverAClearGroundAndTheChosenRowStaysReadable)
{
    DecodedImage mark = decodePng("DATA/UI/replay.png");
    ASSERT_TRUE(mark.loaded);
    for (int x : {0, 383})
        for (int y : {0, 95}) EXPECT_EQ(mark.alpha(x, y), 0) << "banner corner " << x << "," << y;
    EXPECT_EQ(mark.alpha(192, 48), 255) << "the band behind the word is solid";
    EXPECT_EQ(mark.countVisible(384, 0, 512, 128, 1), 0) << "nothing right of the banner";
    double previous = -1;
    for (int level = 0; level < 4; ++level) {
        double light = 0;
        for (int y = 128; y < 192; ++y)
            for (int x = 64 * level; x < 64 * level + 64; ++x) light += mark.alpha(x, y) / 255.0 * mark.luminance(x, y);
        EXPECT_GT(light, previous * 1.05) << "sign " << level << " is no brighter than the one before";
        previous = light;
    }

    DecodedImage row = decodePng("DATA/UI/chosen.png");
    ASSERT_TRUE(row.loaded);
    EXPECT_EQ(row.countVisible(80, 8, 720, 32, 160), 0) << "the figures' part of the row shows through";
    EXPECT_GT(row.countVisible(80, 0, 720, 8, 200), 640) << "the frame's top edge";
    EXPECT_GT(row.countVisible(730, 8, 768, 32, 200), 100) << "the play sign at the right end";
    EXPECT_EQ(row.countVisible(768, 0, 1024, 64, 1) + row.countVisible(0, 40, 768, 64, 1), 0)
        << "nothing beyond the row bar's 768 x 40";
}

// The round of the day's banner is the start banner with another title: the
// same band and mouse line, bright words on its title line. The day table's
// heading and footer are opaque and line up with the table's ground they
// cover: where they show what the best table shows, they match it.
TEST(GeneratedImages, TheDayBannerAndTheDayTableShowTheirWordsOnTheGameArt)
{
    DecodedImage day = decodePng("DATA/UI/dayround.png"), start = decodePng("DATA/gamestart.png");
    ASSERT_TRUE(day.loaded && start.loaded);
    auto bright = [](const DecodedImage& image, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += image.alpha(x, y) == 255 && image.luminance(x, y) > 0.8f;
        return n;
    };
    auto sameRows =
        [](const DecodedImage& a, int ax, int ay, const DecodedImage& b, int bx, int by, int width, int height) {
        for (int y = 0; y < height; ++y)
            if (!std::equal(a.at(ax, ay + y), a.at(ax + width, ay + y), b.at(bx, by + y))) return false;
        return true;
    };
    EXPECT_GT(bright(day, 120, 20, 730, 60), 3000) << "the title's words";
    EXPECT_FALSE(sameRows(day, 0, 20, start, 0, 20, 1024, 40)) << "a title of its own";
    EXPECT_TRUE(sameRows(day, 0, 0, start, 0, 0, 1024, 12)) << "the band's top edge";
    EXPECT_TRUE(sameRows(day, 0, 72, start, 0, 72, 1024, 56)) << "the mouse line and the band's bottom";

    DecodedImage parts = decodePng("DATA/UI/daytable.png"), atlas = decodePng("DATA/UI/BestScores.png");
    ASSERT_TRUE(parts.loaded && atlas.loaded);
    EXPECT_EQ(parts.countVisible(0, 0, 720, 84, 255), 720 * 84) << "the heading hides the table's";
    EXPECT_EQ(parts.countVisible(0, 128, 720, 200, 255), 720 * 72) << "the footer hides the table's";
    EXPECT_EQ(parts.countVisible(720, 0, 1024, 256, 1) + parts.countVisible(0, 84, 720, 128, 1) +
                  parts.countVisible(0, 200, 720, 256, 1),
              0)
        << "nothing beside the two pieces";
    EXPECT_GT(bright(parts, 60, 20, 660, 70), 3000) << "the heading's words";
    EXPECT_FALSE(sameRows(parts, 0, 20, atlas, 40, 32, 720, 50)) << "another heading than the best table's";
    // The heading covers the table from (40, 12), the footer from (40, 560).
    EXPECT_TRUE(sameRows(parts, 0, 0, atlas, 40, 12, 720, 14)) << "the ground above the heading's words";
    EXPECT_TRUE(sameRows(parts, 0, 80, atlas, 40, 92, 720, 4)) << "the column heads' top";
    EXPECT_TRUE(sameRows(parts, 0, 128, atlas, 40, 560, 720, 24)) << "the footer's first line";
    EXPECT_FALSE(sameRows(parts, 0, 168, atlas, 40, 600, 720, 30)) << "a second line of its own";
}

TEST(GeneratedImages, ArrowPointsUpAndPointerHotSpotIsTopLeft)
{
    DecodedImage arrow = decodePng("DATA/PuzzleField/arrow.png");
    ASSERT_TRUE(arrow.loaded);
    int topRow = -1, widestRow = -1, widest = 0;
    for (int y = 0; y < 256; ++y) {
        int left = 256, right = -1;
        for (int x = 0; x < 256; ++x)
            if (arrow.alpha(x, y) > 200) left = std::min(left, x), right = std::max(right, x);
        if (right < 0) continue;
        if (topRow < 0) {
            topRow = y;
            EXPECT_NEAR((left + right) / 2.0, 128, 3) << "tip is centred";
        }
        if (right - left > widest) widest = right - left, widestRow = y;
    }
    EXPECT_LT(topRow, 24);
    EXPECT_LT(widestRow, 128) << "the head, the widest part, is in the upper half";

    DecodedImage pointer = decodePng("DATA/mouse/MousePointer.png");
    ASSERT_TRUE(pointer.loaded);
    EXPECT_GT(pointer.alpha(2, 2), 128) << "the tip sits at the hot spot";
    long sx = 0, sy = 0, n = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (pointer.alpha(x, y) > 128) sx += x, sy += y, ++n;
    ASSERT_GT(n, 0);
    EXPECT_LT(sx / n, 24);
    EXPECT_LT(sy / n, 32);
}

}  // namespace

namespace {

// The spinner is turned a little every frame: it reads as turning only if a
// quarter turn changes what it shows.
TEST(GeneratedImages, SpinnerLooksDifferentAfterAQuarterTurn)
{
    DecodedImage spinner = decodePng("DATA/mouse/PointRotate.png");
    ASSERT_TRUE(spinner.loaded);
    long difference = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) difference += std::abs(spinner.alpha(x, y) - spinner.alpha(63 - y, x));
    EXPECT_GT(difference / (64 * 64), 10);
}

}  // namespace
