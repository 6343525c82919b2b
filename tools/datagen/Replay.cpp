// Replay: the mark shown over the board while a recorded round plays itself,
// DATA/UI/replay.png, 512 x 256.
//
//   banner   (0, 0)         384 x 96  a dark band with "REPLAY", and a well
//                                     for the play sign at (30, 16) inside it
//   signs    (64 * k, 128)  64 x 64   the play sign, k = 0..3 from dim to
//                                     bright; the game steps through them to
//                                     make the sign pulse
#include "Art.h"
#include "Shapes.h"
#include "TextStyle.h"

namespace datagen {

namespace {

constexpr int BannerWidth = 384, BannerHeight = 96;
constexpr float BandCentreY = BannerHeight / 2.0f, BandHalfWidth = 172, BandHalfHeight = 34;
constexpr int SignCell = 64, SignRow = 128, SignLevels = 4;
// Where the game puts the sign's cell on the banner.
constexpr int SignX = 30, SignY = 16;

const Rgba kCyan = {0.20f, 0.85f, 1, 1};
const Rgba kViolet = {0.70f, 0.40f, 1, 1};
const Rgba kGold = {1, 0.82f, 0.30f, 1};
const Rgba kInk = {0.05f, 0.04f, 0.10f, 1};

void drawBanner(Canvas& c, const Fonts& fonts)
{
    const float cx = BannerWidth / 2.0f;
    Box area = {0, 0, BannerWidth, BannerHeight};
    Sdf band = roundRect(cx, BandCentreY, BandHalfWidth, BandHalfHeight, 30);
    c.glow(band, {0.25f, 0.6f, 1, 0.55f}, 7, area);
    c.fill(band,
           verticalGradient(BandCentreY - BandHalfHeight, {0.06f, 0.08f, 0.2f, 0.92f}, BandCentreY + BandHalfHeight,
                            {0.02f, 0.02f, 0.07f, 0.92f}),
           area);
    c.fill(
        outline(band, 3),
        [=](float x, float) { return mix(kCyan, kViolet, (x - (cx - BandHalfWidth)) / (2 * BandHalfWidth)); }, area);
    // The sign's well: a dark socket the pulsing sign sits in.
    const float signX = SignX + SignCell / 2.0f, signY = SignY + SignCell / 2.0f;
    c.fill(circle(signX, signY, 25), solid({0.01f, 0.01f, 0.04f, 1}), area);

    TextStyle s;
    s.size = 46;
    s.tracking = 6;
    const int cap = fonts.sans.capHeight(s.size);
    const float top = BandCentreY - float(cap) / 2, bottom = BandCentreY + float(cap) / 2;
    s.fill = verticalGradient(top, {1, 1, 1, 1}, bottom, {0.55f, 0.88f, 1, 1});
    s.outline = 3;
    s.glowRadius = 3;
    s.glowColour = {0.25f, 0.6f, 1, 0.8f};
    // The word fills the band right of the sign.
    const int left = SignX + SignCell + 6, right = int(cx + BandHalfWidth) - 18;
    drawTextCentred(c, fonts.sans, "REPLAY", (left + right) / 2, int(bottom + 0.5f), s);
}

// A gold disc with a play triangle; `level` 0..SignLevels-1 lights its glow
// and brightens the disc.
void drawSign(Canvas& c, int level)
{
    const float t = float(level) / float(SignLevels - 1);
    const int x = SignCell * level, y = SignRow;
    const float cx = float(x) + SignCell / 2.0f, cy = float(y) + SignCell / 2.0f;
    Box area = {x, y, x + SignCell, y + SignCell};
    Sdf disc = circle(cx, cy, 21);
    c.glow(disc, withAlpha(kGold, 0.25f + 0.65f * t), 3 + 7 * t, area);
    c.fill(grow(disc, 1.5f), solid(kInk), area);
    const Rgba light = mix({0.85f, 0.62f, 0.25f, 1}, {1, 0.95f, 0.62f, 1}, t);
    const Rgba deep = mix({0.62f, 0.32f, 0.06f, 1}, {1, 0.6f, 0.12f, 1}, t);
    c.fill(disc, verticalGradient(cy - 21, light, cy + 21, deep), area);
    // The triangle's weight sits a little right of the disc's centre, as
    // the eye expects of a play sign.
    Sdf play = polygon({{cx - 7, cy - 12}, {cx + 13, cy}, {cx - 7, cy + 12}});
    c.fill(grow(play, 1.5f), solid({0.35f, 0.15f, 0.02f, 1}), area);
    c.fill(play, solid({1, 1, 1, 1}), area);
}

}  // namespace

Canvas makeReplayMark(const Fonts& fonts)
{
    Canvas c(512, 256);
    drawBanner(c, fonts);
    for (int level = 0; level < SignLevels; ++level) drawSign(c, level);
    return c;
}

}  // namespace datagen
