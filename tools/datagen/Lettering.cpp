// Lettering: the two digit sheets, the two banners (the start banner and the
// round of the day's, 1024 x 128 each) and their key caps.
// Digit sheets: 512 x 128, digit d in the 64 x 64 cell at
// (64 * (d mod 8), 64 * (d div 8)). The game draws score and time digits 49
// pixels wide 36 apart and chain digits 37 wide 28 apart, so each glyph keeps
// within the middle three quarters of its cell.
#include <string>
#include <vector>

#include "Art.h"
#include "Shapes.h"
#include "TextStyle.h"

namespace datagen {

static Canvas makeDigitSheet(const Font& font, TextStyle style, const Rgba& top, const Rgba& bottom)
{
    Canvas c(512, 128);
    int cap = font.capHeight(style.size);
    for (int d = 0; d < 10; ++d) {
        int x = 64 * (d % 8), y = 64 * (d / 8);
        int baseline = y + (64 + cap) / 2;
        style.fill = verticalGradient(float(baseline - cap), top, float(baseline), bottom);
        // A slant leans the glyph's top to the right: shift it back by half the lean.
        int lean = int(style.shear * float(cap) * 0.5f);
        drawTextCentred(c, font, std::to_string(d), x + 32 - lean, baseline, style);
    }
    return c;
}

Canvas makeScoreDigits(const Fonts& fonts)
{
    TextStyle s;
    s.size = 56;
    s.outline = 3;
    s.glowRadius = 2;
    s.glowColour = {0.2f, 0.75f, 1, 0.9f};
    return makeDigitSheet(fonts.mono, s, {1, 1, 1, 1}, {0.45f, 0.85f, 1, 1});
}

Canvas makeChainDigits(const Fonts& fonts)
{
    TextStyle s;
    s.size = 54;
    s.shear = 0.18f;
    s.outline = 3.5f;
    s.outlineColour = {0.18f, 0.02f, 0.04f, 1};
    s.glowRadius = 2;
    s.glowColour = {1, 0.45f, 0.1f, 0.9f};
    return makeDigitSheet(fonts.sans, s, {1, 0.97f, 0.55f, 1}, {1, 0.35f, 0.15f, 1});
}

namespace {

// One run of a banner line: text in one colour, or a mouse glyph.
struct Run {
    std::string text;
    Rgba colour;
    int mouseButton;  // -1 for a text run
};

}  // namespace

int keycapWidth(const Fonts& fonts, const std::string& label, int size)
{
    return fonts.sans.measure(label, size - 14, 2) + 28;
}

void drawKeycap(Canvas& c, const Fonts& fonts, const std::string& label, int x, int baseline, int size)
{
    int width = keycapWidth(fonts, label, size);
    float cx = float(x) + float(width) / 2, cy = float(baseline) - float(size) * 0.36f;
    Sdf key = roundRect(cx, cy, float(width) / 2, float(size) * 0.55f, 9);
    // The key, its shadow and its glow all lie within a margin of 16 pixels.
    Box box = {x - 16, int(cy) - size - 16, x + width + 16, int(cy) + size + 16};
    c.glow(key, {0.3f, 0.9f, 1, 0.6f}, 8, box);
    c.fill(moved(key, 0, 4), solid({0.25f, 0.35f, 0.55f, 1}), box);
    c.fill(key,
           verticalGradient(cy - float(size) * 0.55f, {1, 1, 1, 1}, cy + float(size) * 0.55f, {0.72f, 0.86f, 1, 1}),
           box);
    TextStyle s;
    s.size = size - 14;
    s.tracking = 2;
    s.fill = solid({0.05f, 0.08f, 0.2f, 1});
    drawTextCentred(c, fonts.sans, label, int(cx), int(cy) + fonts.sans.capHeight(s.size) / 2, s);
}

// The scene shows the banner with its left edge 168 pixels into the board, so
// the band fills only the image's left 840 pixels: it then ends over the
// board, clear of the status column's labels.
constexpr int BannerCentre = 424;
constexpr int BannerHalfWidth = 412;

// The band both banners share, cyan to violet.
static void drawBannerBand(Canvas& c)
{
    Box box = fullBox(c);
    Sdf band = roundRect(BannerCentre, 64, BannerHalfWidth, 57, 26);
    c.glow(band, {0.25f, 0.6f, 1, 0.55f}, 7, box);
    c.fill(band, verticalGradient(6, {0.06f, 0.08f, 0.2f, 0.94f}, 122, {0.02f, 0.02f, 0.07f, 0.94f}), box);
    c.fill(
        outline(band, 3),
        [](float x, float) {
        return mix({0.20f, 0.85f, 1, 1}, {0.70f, 0.40f, 1, 1},
                   (x - float(BannerCentre - BannerHalfWidth)) / float(2 * BannerHalfWidth));
        },
        box);
}

static TextStyle bannerTitleStyle()
{
    TextStyle title;
    title.size = 40;
    title.tracking = 3;
    title.fill = verticalGradient(24, {1, 1, 1, 1}, 60, {0.55f, 0.88f, 1, 1});
    title.outline = 2.5f;
    title.glowRadius = 3;
    return title;
}

// The title line's baseline.
constexpr int BannerTitleBaseline = 56;

// How the mouse plays, the banner's second line.
static void drawMouseLine(Canvas& c, const Fonts& fonts)
{
    const Rgba key = {0.35f, 0.95f, 1, 1}, plain = {0.93f, 0.95f, 1, 1};
    const std::vector<Run> runs = {{"", key, 0}, {"LEFT CLICK ", key, -1},  {"change colour + turn gravity", plain, -1},
                                   {"", key, 1}, {"RIGHT CLICK ", key, -1}, {"clear groups of 4 or more", plain, -1}};
    TextStyle line;
    line.size = 15;
    line.outline = 1.5f;
    const int mouseWidth = 28, runGap = 30;
    int width = 0;
    for (const Run& r : runs) width += r.mouseButton >= 0 ? mouseWidth : fonts.sans.measure(r.text, line.size);
    width += runGap;
    int x = BannerCentre - width / 2;
    const int baseline = 102;
    for (const Run& r : runs) {
        if (r.mouseButton >= 0) {
            if (r.mouseButton == 1) x += runGap;
            drawMouse(c, float(x) + 12, float(baseline) - 7, 26, r.mouseButton);
            x += mouseWidth;
            continue;
        }
        line.fill = solid(r.colour);
        drawText(c, fonts.sans, r.text, x, baseline, line);
        x += fonts.sans.measure(r.text, line.size);
    }
}

Canvas makeStartBanner(const Fonts& fonts)
{
    Canvas c(1024, 128);
    drawBannerBand(c);
    TextStyle title = bannerTitleStyle();
    const std::string before = "PRESS", after = "TO START";
    int keyWidth = keycapWidth(fonts, "SPACE", title.size);
    int gap = 20;
    int total = fonts.sans.measure(before, title.size, title.tracking) + gap + keyWidth + gap +
                fonts.sans.measure(after, title.size, title.tracking);
    int x = BannerCentre - total / 2, baseline = BannerTitleBaseline;
    drawText(c, fonts.sans, before, x, baseline, title);
    x += fonts.sans.measure(before, title.size, title.tracking) + gap;
    drawKeycap(c, fonts, "SPACE", x, baseline, title.size);
    x += keyWidth + gap;
    drawText(c, fonts.sans, after, x, baseline, title);
    drawMouseLine(c, fonts);
    return c;
}

// The round of the day's banner: the start banner's band and mouse line, its
// title naming the mode.
Canvas makeDayBanner(const Fonts& fonts)
{
    Canvas c(1024, 128);
    drawBannerBand(c);
    drawTextCentred(c, fonts.sans, "ROUND OF THE DAY", BannerCentre, BannerTitleBaseline, bannerTitleStyle());
    drawMouseLine(c, fonts);
    return c;
}

}  // namespace datagen
