// Art: every picture of the DATA tree, one function per image, plus the
// shared pieces of drawing they reuse (a block, a colour symbol, the mouse).
// Sizes and layouts are those the game's drawing code relies on: see each
// maker's comment. Depends on: Canvas, Shapes, Text.
#pragma once

#include "Canvas.h"
#include "Text.h"

#include <string>

namespace datagen {

struct Fonts {
    Font sans;  // DejaVu Sans Bold: labels and banner
    Font mono;  // DejaVu Sans Mono Bold: the score and time digits
};

// The five block colours (1..5) and the wild (6).
Rgba pieceColour(int value);
// The white symbol every colour carries so it reads without colour vision:
// 1 ring, 2 triangle, 3 square, 4 plus, 5 star; 6 (wild) a four-point spark.
Sdf pieceSymbol(int value, float cx, float cy, float r);
// One block of `value` filling the square at (x, y) of side `size`.
void drawPiece(Canvas& c, int value, float x, float y, float size);
// A computer mouse centred at (cx, cy), `height` tall, one button lit
// (0 left, 1 right, -1 none).
void drawMouse(Canvas& c, float cx, float cy, float height, int litButton);
// A key cap with its label, its left edge at `x`, sitting on the text line
// whose baseline is `baseline` and whose letters are `size` pixels.
void drawKeycap(Canvas& c, const Fonts& fonts, const std::string& label, int x, int baseline, int size);
int keycapWidth(const Fonts& fonts, const std::string& label, int size);

Canvas makePieces();                          // 2048 x 256: values 1..6 at x = 256 * (value - 1)
Canvas makeBoardFrame();                      // 1024 x 1024: clear over the 4 x 4 cells
Canvas makeStatusColumn(const Fonts& fonts);  // 256 x 1024
Canvas makeArrow();                           // 256 x 256, pointing up
Canvas makeColourChange();                    // 256 x 256
Canvas makeScoreDigits(const Fonts& fonts);   // 512 x 128, 64 x 64 cells
Canvas makeChainDigits(const Fonts& fonts);   // 512 x 128, 64 x 64 cells
Canvas makeStartBanner(const Fonts& fonts);   // 1024 x 128
Canvas makeDayBanner(const Fonts& fonts);     // 1024 x 128: the start banner's place, "ROUND OF THE DAY"
Canvas makeBestScores(const Fonts& fonts);    // 1024 x 1024 atlas, see ScoreTableArt.cpp
Canvas makeMousePointer();                    // 64 x 64, hot spot top-left
Canvas makeSpinner();                         // 64 x 64, turns about its centre
Canvas makeParticle();                        // 64 x 64 soft spark
Canvas makeBoardCursor();                     // 256 x 256, one cell's highlight
Canvas makePauseCover(const Fonts& fonts);    // 1024 x 1024, hides the board
Canvas makeVolumeSheet(const Fonts& fonts);   // 512 x 512: level panel, muted panel, lit segment
Canvas makeReplayMark(const Fonts& fonts);    // 512 x 256: the REPLAY banner and its sign, see Replay.cpp
Canvas makeDayTable(const Fonts& fonts);      // 1024 x 256: the day's table heading and footer, see ScoreTableArt.cpp
Canvas makeChosenRow();                       // 1024 x 64: the table row the player has chosen, see ScoreTableArt.cpp
// The game's icon, size x size: drawn for the size below 64 pixels.
Canvas makeGameIcon(int size);
// The icon sizes the desktop's themes ask for, smallest first.
inline constexpr int GameIconSizes[] = {16, 24, 32, 48, 64, 128, 256, 512};

}  // namespace datagen
