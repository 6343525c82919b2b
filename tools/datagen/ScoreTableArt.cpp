// ScoreTableArt: the atlas of the best-score displays, DATA/UI/BestScores.png,
// 1024 x 1024. The game places each piece at its own spot and writes the
// numbers with the glyph cells, so the pieces' places here are the ones its
// drawing code names:
//
//   table    (0, 0)      800 x 640  the whole table's ground: title, column
//                                   heads, footer; rows at y 128 + 42 * row
//   plaque   (0, 640)    512 x 88   "BEST" and a well (x 196..496) for the
//                                   best score in the score digits
//   hint     (512, 640)  512 x 48   how to open the table
//   badges   (256 * (i % 4), 728 + 48 * (i / 4))  256 x 48, i = place - 1:
//                                   "NEW BEST!", "2ND PLACE" ... "10TH PLACE"
//   row bar  (0, 872)    768 x 40   behind the table row of the last round
//   glyphs   (24 * k, 912 + 40 * s) 24 x 40, k over "0123456789-:.", style s:
//                                   0 plain, 1 the last round's row; the game
//                                   sets them 17 pixels apart
//
// The table of the round of the day borrows the table's ground and draws its
// own heading and footer over it, from DATA/UI/daytable.png, 1024 x 256: the
// table's part from (40, 12) to (760, 96) with "ROUND OF THE DAY" at (0, 0),
// and its part from (40, 560) to (760, 632) with the day's footer at
// (0, 128). Both are opaque, so they hide what the table shows there.
//
// The row the player has chosen to watch has an image of its own,
// DATA/UI/chosen.png, 1024 x 64: a frame of the row bar's size (768 x 40)
// at (0, 0), with a play sign at its right end, beyond the date.
#include <string>

#include "Art.h"
#include "Shapes.h"
#include "TextStyle.h"

namespace datagen {

namespace {

const Rgba kCyan = {0.20f, 0.85f, 1, 1};
const Rgba kViolet = {0.70f, 0.40f, 1, 1};
const Rgba kGold = {1, 0.82f, 0.30f, 1};
const Rgba kInk = {0.05f, 0.04f, 0.10f, 1};

constexpr int TableWidth = 800, TableHeight = 640;
constexpr int RowTop = 128, RowPitch = 42;
constexpr int PlaqueY = 640, PlaqueWidth = 512, PlaqueHeight = 88;
constexpr int HintX = 512, HintY = 640, HintWidth = 512, HintHeight = 48;
constexpr int BadgeY = 728, BadgeWidth = 256, BadgeHeight = 48;
constexpr int BarY = 872, BarWidth = 768, BarHeight = 40;
constexpr int GlyphY = 912, GlyphWidth = 24, GlyphHeight = 40;
const std::string kGlyphs = "0123456789-:.";

// The table's columns, as the game sets its rows: right edges of the place,
// score and chain, left edge of the date.
constexpr int PlaceRight = 88, ScoreRight = 320, ChainRight = 430, DateLeft = 476;
// The footer's two lines, under the last row.
constexpr int FooterBaseline = 578;
// The day's table: its heading and footer, cut from a whole table drawn with
// them, and where they go in its image.
constexpr Box DayHeading = {40, 12, 760, 96}, DayFooter = {40, 560, 760, 632};
constexpr int DayFooterY = 128;

// The start banner's ground: a dark band, a glow and an outline running from
// cyan to violet. The banner lets the board show faintly through; the table,
// full of small figures, hides it.
void drawBand(Canvas& c, Box area, float radius, float opacity)
{
    float cx = float(area.x0 + area.x1) / 2, cy = float(area.y0 + area.y1) / 2;
    float hw = float(area.x1 - area.x0) / 2 - 8, hh = float(area.y1 - area.y0) / 2 - 7;
    Sdf band = roundRect(cx, cy, hw, hh, radius);
    c.glow(band, {0.25f, 0.6f, 1, 0.55f}, 7, area);
    c.fill(band, verticalGradient(cy - hh, {0.06f, 0.08f, 0.2f, opacity}, cy + hh, {0.02f, 0.02f, 0.07f, opacity}),
           area);
    c.fill(
        outline(band, 3), [=](float x, float) { return mix(kCyan, kViolet, (x - (cx - hw)) / (2 * hw)); }, area);
}

TextStyle titleStyle(int size, float top, float bottom)
{
    TextStyle s;
    s.size = size;
    s.tracking = 3;
    s.fill = verticalGradient(top, {1, 1, 1, 1}, bottom, {0.55f, 0.88f, 1, 1});
    s.outline = 2.5f;
    s.glowRadius = 3;
    return s;
}

TextStyle headStyle()
{
    TextStyle s;
    s.size = 16;
    s.tracking = 3;
    s.fill = solid({0.55f, 0.85f, 1, 1});
    s.glowRadius = 2;
    s.glowColour = {0.2f, 0.6f, 1, 0.6f};
    return s;
}

// A line of text runs and key caps centred on `centreX`.
struct Piece {
    std::string text;
    bool key;
};

void drawKeyLine(Canvas& c, const Fonts& fonts, const std::vector<Piece>& pieces, int centreX, int baseline, int size)
{
    TextStyle s;
    s.size = size;
    s.tracking = 1;
    s.outline = 1.5f;
    s.fill = solid({0.93f, 0.95f, 1, 1});
    const int keySize = size + 12, gap = 8;
    int width = 0;
    for (const Piece& p : pieces)
        width += (p.key ? keycapWidth(fonts, p.text, keySize) : fonts.sans.measure(p.text, size, 1)) + gap;
    int x = centreX - (width - gap) / 2;
    for (const Piece& p : pieces) {
        if (p.key) {
            drawKeycap(c, fonts, p.text, x, baseline, keySize);
            x += keycapWidth(fonts, p.text, keySize) + gap;
        } else {
            drawText(c, fonts.sans, p.text, x, baseline, s);
            x += fonts.sans.measure(p.text, size, 1) + gap;
        }
    }
}

// The table's ground with its title and, at the end of the footer, what Tab
// does from it.
void drawTable(Canvas& c, const Fonts& fonts, const std::string& title, const std::string& tabDoes)
{
    Box area = {0, 0, TableWidth, TableHeight};
    drawBand(c, area, 30, 1);
    drawTextCentred(c, fonts.sans, title, TableWidth / 2, 66, titleStyle(38, 30, 66));
    // Faint stripes on every other row keep a long row on its line.
    for (int row = 0; row < 10; row += 2) {
        float top = float(RowTop + RowPitch * row);
        c.fill(roundRect(TableWidth / 2.0f, top + 20, 372, 19, 8), solid({0.45f, 0.65f, 1, 0.07f}),
               {0, int(top) - 2, TableWidth, int(top) + 42});
    }
    TextStyle head = headStyle();
    const int headBaseline = 112;
    drawText(c, fonts.sans, "No.", PlaceRight - fonts.sans.measure("No.", head.size, head.tracking), headBaseline,
             head);
    drawText(c, fonts.sans, "SCORE", ScoreRight - fonts.sans.measure("SCORE", head.size, head.tracking), headBaseline,
             head);
    drawText(c, fonts.sans, "CHAIN", ChainRight - fonts.sans.measure("CHAIN", head.size, head.tracking), headBaseline,
             head);
    drawText(c, fonts.sans, "DATE", DateLeft, headBaseline, head);
    c.fill(roundRect(TableWidth / 2.0f, 120, 372, 1, 0.5f), solid(withAlpha(kCyan, 0.5f)), {0, 116, TableWidth, 124});
    drawKeyLine(c, fonts,
                {{"↑↓", true},
                 {"choose", false},
                 {"  ", false},
                 {"RETURN", true},
                 {"/", false},
                 {"A", true},
                 {"watch", false},
                 {"  ", false},
                 {"T", true},
                 {"round of the day", false}},
                TableWidth / 2, FooterBaseline, 17);
    drawKeyLine(c, fonts,
                {{"SPACE", true},
                 {"start a round", false},
                 {"  ", false},
                 {"TAB", true},
                 {"/", false},
                 {"BACK", true},
                 {tabDoes, false}},
                TableWidth / 2, FooterBaseline + 40, 17);
}

void drawCrown(Canvas& c, float cx, float cy, float size)
{
    float h = size / 2;
    Sdf crown = polygon({{cx - h, cy + h * 0.6f},
                         {cx - h, cy - h * 0.5f},
                         {cx - h * 0.5f, cy},
                         {cx, cy - h * 0.8f},
                         {cx + h * 0.5f, cy},
                         {cx + h, cy - h * 0.5f},
                         {cx + h, cy + h * 0.6f}});
    Box box = {int(cx - size), int(cy - size), int(cx + size) + 1, int(cy + size) + 1};
    c.glow(crown, withAlpha(kGold, 0.6f), 6, box);
    c.fill(grow(crown, 1.5f), solid(kInk), box);
    c.fill(crown, verticalGradient(cy - h, {1, 0.95f, 0.6f, 1}, cy + h, {1, 0.6f, 0.15f, 1}), box);
}

void drawPlaque(Canvas& c, const Fonts& fonts)
{
    Box area = {0, PlaqueY, PlaqueWidth, PlaqueY + PlaqueHeight};
    drawBand(c, area, 24, 0.95f);
    const float cy = float(PlaqueY) + PlaqueHeight / 2.0f;
    drawCrown(c, 46, cy - 2, 30);
    TextStyle best = titleStyle(28, cy - 12, cy + 10);
    best.fill = verticalGradient(cy - 12, {1, 0.97f, 0.7f, 1}, cy + 10, {1, 0.72f, 0.25f, 1});
    best.glowColour = {1, 0.6f, 0.1f, 0.6f};
    drawText(c, fonts.sans, "BEST", 72, int(cy) + 11, best);
    Sdf well = roundRect(346, cy, 150, 31, 12);
    c.fill(well, verticalGradient(cy - 31, {0.01f, 0.02f, 0.05f, 1}, cy + 31, {0.04f, 0.06f, 0.13f, 1}), area);
    c.fill(outline(well, 2), solid(withAlpha({0.35f, 0.62f, 1, 1}, 0.85f)), area);
}

void drawHint(Canvas& c, const Fonts& fonts)
{
    const float cx = HintX + HintWidth / 2.0f, cy = HintY + HintHeight / 2.0f;
    Box area = {HintX, HintY, HintX + HintWidth, HintY + HintHeight};
    Sdf pill = roundRect(cx, cy, 196, 21, 21);
    c.fill(pill, solid({0.02f, 0.02f, 0.07f, 0.85f}), area);
    c.fill(outline(pill, 1.5f), solid(withAlpha(kCyan, 0.55f)), area);
    // Key caps of 27 pixels stand 0.36 of that above the baseline.
    drawKeyLine(c, fonts, {{"TAB", true}, {"/", false}, {"BACK", true}, {"all best scores", false}}, int(cx),
                int(cy) + 10, 15);
}

std::string placeName(int place)
{
    if (place == 1) return "NEW BEST!";
    const char* suffix = place == 2 ? "ND" : place == 3 ? "RD" : "TH";
    return std::to_string(place) + suffix + " PLACE";
}

void drawBadge(Canvas& c, const Fonts& fonts, int place)
{
    const int x = BadgeWidth * ((place - 1) % 4), y = BadgeY + BadgeHeight * ((place - 1) / 4);
    const float cx = float(x) + BadgeWidth / 2.0f, cy = float(y) + BadgeHeight / 2.0f;
    Box area = {x, y, x + BadgeWidth, y + BadgeHeight};
    Sdf chip = roundRect(cx, cy, 118, 17, 17);
    TextStyle s;
    s.size = 20;
    s.tracking = 2;
    if (place == 1) {
        // The top place in gold, dark letters on it.
        c.glow(chip, withAlpha(kGold, 0.8f), 6, area);
        c.fill(chip, verticalGradient(cy - 17, {1, 0.95f, 0.62f, 1}, cy + 17, {1, 0.62f, 0.12f, 1}), area);
        c.fill(outline(chip, 2), solid({0.45f, 0.22f, 0.02f, 1}), area);
        s.fill = solid(kInk);
    } else {
        c.glow(chip, {0.3f, 0.6f, 1, 0.6f}, 6, area);
        c.fill(chip, verticalGradient(cy - 17, {0.16f, 0.20f, 0.45f, 1}, cy + 17, {0.08f, 0.06f, 0.22f, 1}), area);
        c.fill(
            outline(chip, 2), [=](float px, float) { return mix(kCyan, kViolet, (px - float(x)) / BadgeWidth); }, area);
        s.fill = verticalGradient(cy - 8, {1, 1, 1, 1}, cy + 8, {0.6f, 0.9f, 1, 1});
        s.outline = 1.5f;
    }
    drawTextCentred(c, fonts.sans, placeName(place), int(cx), int(cy) + fonts.sans.capHeight(s.size) / 2, s);
}

void drawRowBar(Canvas& c)
{
    Box area = {0, BarY, BarWidth, BarY + BarHeight};
    Sdf bar = roundRect(BarWidth / 2.0f, BarY + BarHeight / 2.0f, BarWidth / 2.0f - 4, BarHeight / 2.0f - 2, 10);
    c.fill(
        bar,
        [](float x, float) {
        return mix({1, 0.7f, 0.2f, 0.34f}, {1, 0.7f, 0.2f, 0.10f}, x / BarWidth);
        },
        area);
    c.fill(outline(bar, 1.5f), solid(withAlpha(kGold, 0.8f)), area);
}

void drawGlyphs(Canvas& c, const Fonts& fonts)
{
    TextStyle s;
    s.size = 26;
    s.outline = 2;
    for (int style = 0; style < 2; ++style) {
        const int top = GlyphY + GlyphHeight * style, baseline = top + 30;
        const int cap = fonts.mono.capHeight(s.size);
        if (style == 0)
            s.fill = verticalGradient(float(baseline - cap), {1, 1, 1, 1}, float(baseline), {0.6f, 0.9f, 1, 1});
        else
            s.fill =
                verticalGradient(float(baseline - cap), {1, 0.97f, 0.7f, 1}, float(baseline), {1, 0.72f, 0.25f, 1});
        for (size_t k = 0; k < kGlyphs.size(); ++k)
            drawTextCentred(c, fonts.mono, kGlyphs.substr(k, 1), GlyphWidth * int(k) + GlyphWidth / 2, baseline, s);
    }
}

}  // namespace

Canvas makeChosenRow()
{
    Canvas c(1024, 64);
    Box area = {0, 0, BarWidth, BarHeight};
    Sdf bar = roundRect(BarWidth / 2.0f, BarHeight / 2.0f, BarWidth / 2.0f - 4, BarHeight / 2.0f - 2, 10);
    c.fill(
        bar, [](float x, float) { return mix(withAlpha(kCyan, 0.30f), withAlpha(kViolet, 0.14f), x / BarWidth); },
        area);
    c.fill(
        outline(bar, 2.5f), [](float x, float) { return mix(kCyan, kViolet, x / BarWidth); }, area);
    // The sign that Return or a click plays this round.
    const float tipX = BarWidth - 14, cy = BarHeight / 2.0f;
    Sdf play = polygon({{tipX - 16, cy - 9}, {tipX, cy}, {tipX - 16, cy + 9}});
    c.fill(grow(play, 1.5f), solid(kInk), area);
    c.fill(play, verticalGradient(cy - 9, {1, 1, 1, 1}, cy + 9, {0.6f, 0.9f, 1, 1}), area);
    return c;
}

Canvas makeBestScores(const Fonts& fonts)
{
    Canvas c(1024, 1024);
    drawTable(c, fonts, "BEST SCORES", "next table");
    drawPlaque(c, fonts);
    drawHint(c, fonts);
    for (int place = 1; place <= 10; ++place) drawBadge(c, fonts, place);
    drawRowBar(c);
    drawGlyphs(c, fonts);
    return c;
}

Canvas makeDayTable(const Fonts& fonts)
{
    Canvas table(TableWidth, TableHeight);
    drawTable(table, fonts, "ROUND OF THE DAY", "close");
    Canvas c(1024, 256);
    c.copy(table, DayHeading, 0, 0);
    c.copy(table, DayFooter, 0, DayFooterY);
    return c;
}

}  // namespace datagen
