// sprite_drawing_test.cpp — what orvSprite draws, pixel for pixel, against
// the texels and against the reference rasteriser.
#include "graphics_fixture.h"
#include "reference_raster.h"

#include "framework/graphics/orvSprite.h"

#include <cmath>
#include <memory>

namespace {

constexpr int FrameW = 1280;
constexpr int FrameH = 1024;

uint32_t rgb(uint32_t argb) { return argb & 0x00FFFFFFu; }

}  // namespace

using SpriteDrawing = GraphicsTest;

TEST_F(SpriteDrawing, FullSizeDrawCoversExactlyItsPixelsWithItsTexels)
{
    TestImage image = noiseImage(1024, 1024, 1, true);
    orvSprite sprite(writeTestPng("full.png", image).c_str());
    ASSERT_EQ(sprite.width, 1024u);
    ASSERT_EQ(sprite.height, 1024u);
    frame([&] { sprite.Draw(0, 0, 1024, 1024, 0, 0, 1024, 1024, 0.0f); });
    std::vector<uint32_t> pixels = capturedPixels();
    ASSERT_EQ(pixels.size(), size_t{FrameW} * FrameH);
    int wrong = 0;
    for (int y = 0; y < FrameH; ++y)
        for (int x = 0; x < FrameW; ++x) {
            uint32_t expected = (x < 1024 && y < 1024) ? rgb(image.argb[y * 1024 + x]) : 0;
            wrong += pixels[static_cast<size_t>(y) * FrameW + x] != expected;
        }
    EXPECT_EQ(wrong, 0);
}

TEST_F(SpriteDrawing, ScaledAndTurnedDrawsMatchTheReference)
{
    TestImage blocks = noiseImage(256, 256, 2, false);
    TestImage icon = noiseImage(256, 256, 3, true);
    orvSprite blockSprite(writeTestPng("blocks.png", blocks).c_str());
    orvSprite iconSprite(writeTestPng("icon.png", icon).c_str());
    frame([&] {
        iconSprite.Draw(20, 30, 192, 192, 0, 0, 256, 256, 0.0f);           // shrunk
        blockSprite.Draw(300, 40, 49, 49, 64, 64, 64, 64, 0.0f);           // digit-like cell
        blockSprite.Draw(400, 40, 300, 180, 10, 20, 100, 60, 0.0f);        // magnified
        blockSprite.DrawRotated(700, 300, 200, 200, 0, 256, 256, 0.7f);    // turned and shrunk
        iconSprite.DrawRotated(100, 500, 128, 128, 128, 128, 128, -2.3f);  // turned 1:1 over the icon
        blockSprite.Draw(1200, 900, 128, 128, 200, 200, 128, 128, 0.0f);   // wraps and leaves the screen
    });
    std::vector<uint32_t> expected(size_t{FrameW} * FrameH, 0);
    ReferenceVertex v[4];
    spriteQuad(v, 256, 256, 20, 30, 192, 192, 0, 0, 256, 256);
    referenceQuad(expected, FrameW, FrameH, v, icon);
    spriteQuad(v, 256, 256, 300, 40, 49, 49, 64, 64, 64, 64);
    referenceQuad(expected, FrameW, FrameH, v, blocks);
    spriteQuad(v, 256, 256, 400, 40, 300, 180, 10, 20, 100, 60);
    referenceQuad(expected, FrameW, FrameH, v, blocks);
    spriteQuad(v, 256, 256, 700, 300, 200, 200, 0, 0, 256, 256);
    turnQuad(v, 700, 300, 200, 200, 0.7);
    referenceQuad(expected, FrameW, FrameH, v, blocks);
    spriteQuad(v, 256, 256, 100, 500, 128, 128, 128, 0, 128, 128);
    turnQuad(v, 100, 500, 128, 128, -2.3);
    referenceQuad(expected, FrameW, FrameH, v, icon);
    spriteQuad(v, 256, 256, 1200, 900, 128, 128, 200, 200, 128, 128);
    referenceQuad(expected, FrameW, FrameH, v, blocks);

    std::vector<uint32_t> pixels = capturedPixels();
    EXPECT_LE(largestDifference(pixels, expected), 1);
    // Coverage is exact: a pixel is drawn exactly where the reference drew one.
    int coverage = 0;
    for (size_t i = 0; i < pixels.size(); ++i) coverage += (pixels[i] != 0) != (expected[i] != 0);
    EXPECT_LE(coverage, 8);  // only texels that are black by chance may differ

    // The shrunk icon is filtered: a point-sampled copy would not be within 1.
    int unfiltered = 0;
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 192; ++x) {
            int sx = static_cast<int>((x + 0.5) * 256 / 192), sy = static_cast<int>((y + 0.5) * 256 / 192);
            unfiltered += pixels[static_cast<size_t>(30 + y) * FrameW + 20 + x] == rgb(icon.argb[sy * 256 + sx]);
        }
    EXPECT_LT(unfiltered, 192 * 192 / 4);
}

TEST_F(SpriteDrawing, TurnedQuarterClockwiseAndUnturnedEqualsDraw)
{
    // Four quadrants of distinct colours: red top-left, green top-right,
    // blue bottom-left, white bottom-right.
    TestImage image{64, 64, std::vector<uint32_t>(64 * 64)};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image.argb[y * 64 + x] =
                x < 32 ? (y < 32 ? 0xFFFF0000u : 0xFF0000FFu) : (y < 32 ? 0xFF00FF00u : 0xFFFFFFFFu);
    orvSprite sprite(writeTestPng("quadrants.png", image).c_str());

    frame([&] { sprite.Draw(100, 100, 64, 64, 0, 0, 64, 64, 0.0f); });
    std::vector<uint32_t> straight = capturedPixels();
    frame([&] { sprite.DrawRotated(100, 100, 64, 64, 0, 64, 64, 0.0f); });
    EXPECT_EQ(capturedPixels(), straight);

    frame([&] { sprite.DrawRotated(100, 100, 64, 64, 0, 64, 64, static_cast<float>(M_PI / 2)); });
    std::vector<uint32_t> turned = capturedPixels();
    auto at = [&](int x, int y) { return turned[static_cast<size_t>(y) * FrameW + x]; };
    // Clockwise: top-left goes to top-right, top-right to bottom-right.
    EXPECT_EQ(at(160, 104), 0xFF0000u);
    EXPECT_EQ(at(160, 160), 0x00FF00u);
    EXPECT_EQ(at(104, 160), 0xFFFFFFu);
    EXPECT_EQ(at(104, 104), 0x0000FFu);
    EXPECT_EQ(at(99, 130), 0u);
    EXPECT_EQ(at(130, 99), 0u);
}

TEST_F(SpriteDrawing, HalfTransparentTexelBlendsOverTheColourBelow)
{
    TestImage below{4, 4, std::vector<uint32_t>(16, 0xFF2060A0u)};
    TestImage above{4, 4, std::vector<uint32_t>(16, 0x80FF4000u)};
    TestImage clear{4, 4, std::vector<uint32_t>(16, 0x00FFFFFFu)};
    orvSprite belowSprite(writeTestPng("below.png", below).c_str());
    orvSprite aboveSprite(writeTestPng("above.png", above).c_str());
    orvSprite clearSprite(writeTestPng("clear.png", clear).c_str());
    frame([&] {
        belowSprite.Draw(10, 10, 4, 4, 0, 0, 4, 4, 0.0f);
        aboveSprite.Draw(10, 10, 4, 4, 0, 0, 4, 4, 0.0f);
        clearSprite.Draw(10, 10, 4, 4, 0, 0, 4, 4, 0.0f);
    });
    auto blend = [](double s, double d) {
        return static_cast<uint32_t>(std::lround(s * 128 / 255.0 + d * 127 / 255.0));
    };
    uint32_t expected = (blend(0xFF, 0x20) << 16) | (blend(0x40, 0x60) << 8) | blend(0x00, 0xA0);
    std::vector<uint32_t> pixels = capturedPixels();
    for (int y = 10; y < 14; ++y)
        for (int x = 10; x < 14; ++x) EXPECT_EQ(pixels[static_cast<size_t>(y) * FrameW + x], expected);
}

TEST_F(SpriteDrawing, SpriteWithoutTextureDrawsNothingAndSetsNoState)
{
    orvSprite missing("gfx_test_data/no such file.png");
    EXPECT_EQ(missing.texture, nullptr);
    EXPECT_EQ(missing.surface, nullptr);
    EXPECT_EQ(missing.width, 0u);
    testmode::clearCalls();
    frame([&] {
        missing.Draw(0, 0, 64, 64, 0, 0, 64, 64, 0.0f);
        missing.DrawRotated(0, 0, 64, 64, 0, 64, 64, 1.0f);
    });
    EXPECT_EQ(countCalls("DrawPrimitiveUP"), 0);
    EXPECT_EQ(countCalls("SetTexture"), 0);
}

TEST_F(SpriteDrawing, EachDrawSetsItsStateThenDrawsOneStrip)
{
    TestImage image = noiseImage(64, 64, 4, true);
    orvSprite sprite(writeTestPng("state.png", image).c_str());
    testmode::clearCalls();
    frame([&] { sprite.Draw(5, 6, 64, 32, 0, 0, 64, 32, 0.0f); });
    std::vector<std::string> calls = testmode::calls();
    auto first = std::find(calls.begin(), calls.end(), "SetRenderState(171, 1)");
    ASSERT_NE(first, calls.end());
    std::vector<std::string> expected = {
        "SetRenderState(171, 1)",
        "SetRenderState(19, 5)",
        "SetRenderState(20, 6)",
        "SetRenderState(28, 1)",
        "SetRenderState(137, 1)",
        "SetRenderState(14, 1)",
        "SetTexture(0, texture)",
        "SetFVF(0x144)",
        "DrawPrimitiveUP(5, 2, (5 6 0 1 0xFFFFFFFF 0.0078125 0.0078125) (68.5 6 0 1 0xFFFFFFFF 1 0.0078125) "
        "(5 37.5 0 1 0xFFFFFFFF 0.0078125 0.5) (68.5 37.5 0 1 0xFFFFFFFF 1 0.5), 28)",
    };
    ASSERT_LE(static_cast<size_t>(calls.end() - first), calls.size());
    std::vector<std::string> actual(first, std::min(first + expected.size(), calls.end()));
    EXPECT_EQ(actual, expected);
}

TEST_F(SpriteDrawing, WithDrawingSwitchedOffFramesAreCountedAndLoggedButLeaveNoPixels)
{
    TestImage image = noiseImage(256, 256, 7, true);
    orvSprite sprite(writeTestPng("switched.png", image).c_str());
    frame([&] { sprite.Draw(0, 0, 256, 256, 0, 0, 256, 256, 0.0f); });
    const std::vector<uint32_t> drawn = capturedPixels();
    const int presents = testmode::presentCount();
    const int draws = countCalls("DrawPrimitiveUP");

    testmode::setDrawing(false);
    frame([&] { sprite.Draw(512, 512, 256, 256, 0, 0, 256, 256, 0.0f); });
    testmode::setDrawing(true);
    EXPECT_EQ(testmode::presentCount(), presents + 1);
    EXPECT_EQ(countCalls("DrawPrimitiveUP"), draws + 1);
    EXPECT_EQ(capturedPixels(), drawn);  // the last capture is still the first frame

    // Switched back on, the next frame is whole: cleared and drawn afresh.
    frame([&] { sprite.Draw(512, 512, 256, 256, 0, 0, 256, 256, 0.0f); });
    const std::vector<uint32_t> after = capturedPixels();
    EXPECT_EQ(after[0], 0u);
    EXPECT_EQ(after[static_cast<size_t>(600) * FrameW + 600], rgb(image.argb[88 * 256 + 88]));
}
