// A scaled window shows the picture through one bilinear mapping: scaling
// only the destination pixels that read the changed source rectangles must
// give the frame that scaling the whole changed picture gives, for screens
// smaller and larger than the picture and of another shape.
#include "graphics_fixture.h"

#include "host/sdl/picture_scaler.h"

namespace {

using layer::host::PictureBox;
using layer::host::PictureScaler;

constexpr int PictureW = 1280, PictureH = 1024;

std::vector<uint32_t> scaledWhole(const PictureScaler& scaler, const std::vector<uint32_t>& picture, int w, int h)
{
    std::vector<uint32_t> screen(static_cast<size_t>(w) * h, 0);
    const PictureBox& place = scaler.placement();
    scaler.scale(picture.data(), place, &screen[static_cast<size_t>(place.top) * w + place.left], w);
    return screen;
}

TEST(PictureScaler, ScalingTheDamageGivesTheWholeScaledFrame)
{
    // Screens with the picture's place on them, as the game centres it.
    const struct {
        int width, height;
        PictureBox place;
    } screens[] = {{1366, 768, {203, 0, 1163, 768}},
                   {1024, 819, {0, 0, 1024, 819}},
                   {1600, 1200, {50, 0, 1550, 1200}},
                   {2560, 1440, {380, 0, 2180, 1440}},
                   {1280, 1024, {0, 0, 1280, 1024}}};
    const std::vector<uint32_t> before = noiseImage(PictureW, PictureH, 21, true).argb;
    const std::vector<PictureBox> damage = {
        {0, 0, 32, 32}, {608, 480, 672, 544}, {1248, 992, 1280, 1024}, {100, 700, 101, 701}};
    std::vector<uint32_t> after = before;
    const std::vector<uint32_t> changes = noiseImage(PictureW, PictureH, 22, true).argb;
    for (const PictureBox& box : damage)
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                after[static_cast<size_t>(y) * PictureW + x] = changes[static_cast<size_t>(y) * PictureW + x];

    for (const auto& s : screens) {
        SCOPED_TRACE(std::to_string(s.width) + " x " + std::to_string(s.height));
        PictureScaler scaler;
        const PictureBox& place = s.place;
        scaler.prepare(PictureW, PictureH, place);
        std::vector<uint32_t> screen = scaledWhole(scaler, before, s.width, s.height);
        int64_t rewritten = 0;
        for (const PictureBox& box : damage) {
            const PictureBox reach = scaler.reach(box);
            ASSERT_FALSE(reach.empty());
            scaler.scale(after.data(), reach, &screen[static_cast<size_t>(reach.top) * s.width + reach.left], s.width);
            rewritten += int64_t{reach.right - reach.left} * (reach.bottom - reach.top);
        }
        EXPECT_TRUE(screen == scaledWhole(scaler, after, s.width, s.height));
        EXPECT_LT(rewritten * 100, int64_t{s.width} * s.height);
    }
}

}  // namespace
