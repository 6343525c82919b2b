// PuzzleFieldGravity.cpp — the quarter turn of the gravity, the slide that packs
// every line against the gravity side, and the settle step of the turn cycle
// that runs the slide after a clear and turns the gravity once more.
// Limits: the angle arithmetic is single precision on purpose: the panel's
// arrow and the gravity code follow exactly the angles it produces.
// Depends on: playSoundEffect, the sound catalogue ids.
#include "game/PuzzleField.h"

#include "framework/sound/SoundCatalogue.h"
#include "framework/sound/SoundSystem.h"

namespace {

constexpr float HALF_PI = 1.5707964f;
constexpr float PI = 3.1415927f;

constexpr int32_t cellIndex(int32_t column, int32_t row) { return column * 4 + row; }

// Moves the content of one cell into another and leaves the first empty.
void moveBlock(int32_t (&board)[PuzzleField::CELLS], int32_t from, int32_t to)
{
    board[to] = board[from];
    board[from] = PuzzleField::EMPTY;
}

}  // namespace

// Four turns from round start reach exactly 360 degrees, which is not above
// 360, so the angle stays at 2π; the fifth wraps it back to π/2.
void PuzzleField::turnGravity()
{
    float a = gravityAngle + HALF_PI;
    gravityAngle = a;
    if (a * 180.0f / PI > 360.0f) {
        a = HALF_PI;
        gravityAngle = a;
    }
    const float d = a * 180.0f / PI;
    if (d > 315.0f || d < 45.0f) gravity = 0;
    if (d > 45.0f && d < 135.0f) gravity = 3;
    if (d > 135.0f && d < 225.0f) gravity = 1;
    if (d > 225.0f && d < 315.0f) gravity = 2;
}

// Passes repeat until one changes nothing; the copy into shownBoard before each
// pass is what detects the change, so shownBoard equals board on return.
void PuzzleField::slide(int32_t direction)
{
    for (;;) {
        for (int32_t k = 0; k < CELLS; ++k) shownBoard[k] = board[k];

        switch (direction) {
        case 0:  // up
            for (int32_t c = 0; c < 4; ++c)
                for (int32_t r = 1; r < 4; ++r)
                    if (board[cellIndex(c, r)] != EMPTY && board[cellIndex(c, r - 1)] == EMPTY)
                        moveBlock(board, cellIndex(c, r), cellIndex(c, r - 1));
            break;
        case 1:  // down
            for (int32_t c = 0; c < 4; ++c)
                for (int32_t r = 1; r < 4; ++r)
                    if (board[cellIndex(c, r)] == EMPTY) moveBlock(board, cellIndex(c, r - 1), cellIndex(c, r));
            break;
        case 2:  // left
            for (int32_t c = 1; c < 4; ++c)
                for (int32_t r = 0; r < 4; ++r)
                    if (board[cellIndex(c - 1, r)] == EMPTY) moveBlock(board, cellIndex(c, r), cellIndex(c - 1, r));
            break;
        case 3:  // right
            for (int32_t c = 1; c < 4; ++c)
                for (int32_t r = 0; r < 4; ++r)
                    if (board[cellIndex(c, r)] == EMPTY) moveBlock(board, cellIndex(c - 1, r), cellIndex(c, r));
            break;
        default: break;
        }

        bool changed = false;
        for (int32_t k = 0; k < CELLS; ++k) changed = changed || board[k] != shownBoard[k];
        if (!changed) return;
    }
}

// The first slide at the slide phase does all the moving; later calls find
// nothing to move, since no input is accepted before the ready phase. A block
// that lands in a cleared cell is shown at full size at once.
void PuzzleField::settle()
{
    if (phase < slideAt) return;
    if (phase == slideAt) playSoundEffect(SE_GASYAN);
    for (int32_t k = 0; k < CELLS; ++k) {
        if (shrink[k] == cellSize) {
            slide(gravity);
            if (board[k] != EMPTY) shrink[k] = 0;
        }
    }
    if (phase == TURN_AT) turnGravity();
}
