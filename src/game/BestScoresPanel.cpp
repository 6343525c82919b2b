// BestScoresPanel.cpp — where each piece of the best-score atlas goes on the
// screen. The plaque and its badge sit under the start banner, centred on its
// band (x 552); the table covers the middle of the board. Each of its rows is
// one rectangle (rowBox), for the drawing and for the hit test alike.
#include "game/BestScoresPanel.h"

#include "framework/Destroy.h"
#include "framework/graphics/orvSprite.h"
#include "game/ScoreTable.h"

namespace {

// The atlas: each piece's place in the texture and its size.
struct Piece {
    int x, y, width, height;
};
constexpr Piece Table{0, 0, 800, 640};
constexpr Piece Plaque{0, 640, 512, 88};
constexpr Piece Hint{512, 640, 512, 48};
constexpr Piece RowBar{0, 872, 768, 40};
constexpr int BadgeY = 728, BadgeWidth = 256, BadgeHeight = 48, BadgesPerRow = 4;
constexpr int GlyphY = 912, GlyphWidth = 24, GlyphHeight = 40, GlyphStep = 17;
constexpr const char* Glyphs = "0123456789-:.";
// A glyph shows in the middle of its cell: the cell starts this far left of
// the letter's own box.
constexpr int GlyphInset = 4;

// On the screen, centred under the start banner's band.
constexpr int BandCentreX = 552;
constexpr int PlaqueX = BandCentreX - Plaque.width / 2, PlaqueY = 588;
constexpr int WellCentreX = PlaqueX + 346, DigitY = PlaqueY + 20;
constexpr int DigitSize = 49, DigitStep = 36, DigitCell = 64, DigitColumns = 8;
constexpr int BelowPlaqueY = PlaqueY + Plaque.height + 8;
constexpr int TableX = 112, TableY = 192;
constexpr int RowTop = TableY + 128, RowPitch = 42;
constexpr int PlaceRight = TableX + 88, ScoreRight = TableX + 320, ChainRight = TableX + 430, DateLeft = TableX + 476;
// The chosen row's frame, at (0, 0) of its own image: the row bar's size.
constexpr Piece ChosenFrame{0, 0, RowBar.width, RowBar.height};
// The day's table: its heading and footer, each covering the best table's
// own where the table's ground has it.
constexpr Piece DayHeading{0, 0, 720, 84}, DayFooter{0, 128, 720, 72};
constexpr int DayHeadingX = TableX + 40, DayHeadingY = TableY + 12;
constexpr int DayFooterX = TableX + 40, DayFooterY = TableY + 560;

// A row of the table on the screen: the row bar's place. Its glyphs fill
// its height; two pixels of the table's ground part it from the next row.
struct Box {
    int x, y, width, height;
};
constexpr Box rowBox(int row) { return {TableX + 16, RowTop + RowPitch * row, RowBar.width, GlyphHeight}; }
static_assert(RowBar.height == GlyphHeight && RowPitch > GlyphHeight);

void drawPiece(orvSprite* sprite, const Piece& piece, int x, int y)
{
    sprite->Draw(x, y, piece.width, piece.height, piece.x, piece.y, piece.width, piece.height, 0.0f);
}

}  // namespace

BestScoresPanel::BestScoresPanel() : atlas(nullptr), digits(nullptr), chosenFrame(nullptr), dayParts(nullptr)
{
    atlas = new orvSprite("DATA/UI/BestScores.png");
    // The status column's score digits, through the same cached texture.
    digits = new orvSprite("DATA/number.png");
    chosenFrame = new orvSprite("DATA/UI/chosen.png");
    dayParts = new orvSprite("DATA/UI/daytable.png");
}

BestScoresPanel::~BestScoresPanel()
{
    destroy(atlas);
    destroy(digits);
    destroy(chosenFrame);
    destroy(dayParts);
}

void BestScoresPanel::drawGlyphs(const std::string& text, int x, int y, int style)
{
    for (char c : text) {
        for (int k = 0; Glyphs[k]; ++k)
            if (Glyphs[k] == c)
                atlas->Draw(x - GlyphInset, y, GlyphWidth, GlyphHeight, GlyphWidth * k, GlyphY + GlyphHeight * style,
                            GlyphWidth, GlyphHeight, 0.0f);
        x += GlyphStep;
    }
}

void BestScoresPanel::drawGlyphsRight(const std::string& text, int right, int y, int style)
{
    drawGlyphs(text, right - GlyphStep * static_cast<int>(text.size()), y, style);
}

void BestScoresPanel::drawBest(const ScoreTable& table, int place)
{
    if (table.entries.empty()) return;
    drawPiece(atlas, Plaque, PlaqueX, PlaqueY);
    const std::string best = std::to_string(table.best());
    const int count = static_cast<int>(best.size());
    int x = WellCentreX - (DigitStep * (count - 1) + DigitSize) / 2;
    for (char c : best) {
        const int d = c - '0';
        digits->Draw(x, DigitY, DigitSize, DigitSize, DigitCell * (d % DigitColumns), DigitCell * (d / DigitColumns),
                     DigitCell, DigitCell, 0.0f);
        x += DigitStep;
    }
    int hintY = BelowPlaqueY;
    if (place >= 1 && place <= ScoreTable::TABLE_SIZE) {
        const int i = place - 1;
        atlas->Draw(BandCentreX - BadgeWidth / 2, BelowPlaqueY, BadgeWidth, BadgeHeight,
                    BadgeWidth * (i % BadgesPerRow), BadgeY + BadgeHeight * (i / BadgesPerRow), BadgeWidth, BadgeHeight,
                    0.0f);
        hintY += BadgeHeight + 6;
    }
    drawPiece(atlas, Hint, BandCentreX - Hint.width / 2, hintY);
}

void BestScoresPanel::drawTable(const ScoreTable& table, int place, int chosen, TableKind kind)
{
    drawPiece(atlas, Table, TableX, TableY);
    if (kind == TableKind::Day) {
        drawPiece(dayParts, DayHeading, DayHeadingX, DayHeadingY);
        drawPiece(dayParts, DayFooter, DayFooterX, DayFooterY);
    }
    const int entries = static_cast<int>(table.entries.size());
    for (int row = 0; row < ScoreTable::TABLE_SIZE; ++row) {
        const Box box = rowBox(row);
        const int y = box.y;
        const int style = row + 1 == place ? 1 : 0;
        if (style) drawPiece(atlas, RowBar, box.x, y);
        if (row == chosen && row < entries) drawPiece(chosenFrame, ChosenFrame, box.x, y);
        drawGlyphsRight(std::to_string(row + 1) + ".", PlaceRight, y, style);
        if (row >= entries) {
            drawGlyphsRight("-", ScoreRight, y, style);
            continue;
        }
        const ScoreEntry& entry = table.entries[static_cast<size_t>(row)];
        drawGlyphsRight(std::to_string(entry.score), ScoreRight, y, style);
        drawGlyphsRight(std::to_string(entry.chain), ChainRight, y, style);
        // The minute is enough to know a round again.
        drawGlyphs(entry.date + " " + entry.time.substr(0, 5), DateLeft, y, style);
    }
}

int BestScoresPanel::entryAt(int32_t x, int32_t y) const
{
    for (int row = 0; row < ScoreTable::TABLE_SIZE; ++row) {
        const Box box = rowBox(row);
        if (x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height) return row;
    }
    return -1;
}
