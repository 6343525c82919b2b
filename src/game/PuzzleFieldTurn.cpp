// PuzzleFieldTurn.cpp — one frame of play: the turn cycle after a clear (shrink,
// arrow flight and pulse, settle), the refill once ready, the two controls,
// the countdown, and the drawing of the blocks.
// Each control is a mouse button or its logical button (4 steps a colour like
// the left button, 5 asks for a clear like the right one); both feed the same
// latch, so keys and pads can do exactly what the mouse can. A logical button
// aims at the board cursor's cell while the cursor is shown, at the mouse's
// otherwise; when both are down the mouse aims.
// Limits: the mouse and the buttons are the tick's RoundInput (polled once a
// tick, or a recorded round's); the mouse position is the cursor minus the
// outer window's top-left corner, unscaled.
// Depends on: RoundInput, BoardCursor, orvSprite::DrawRotated, playSoundEffect.
#include <cmath>

#include "framework/graphics/orvSprite.h"
#include "framework/sound/SoundCatalogue.h"
#include "framework/sound/SoundSystem.h"
#include "game/BoardCursor.h"
#include "game/PuzzleField.h"
#include "game/RoundInput.h"

namespace {

bool logicalDown(int button) { return roundInput.buttonHeld(button); }

}  // namespace

// A round that has run out changes nothing but the arrow's flight, even in the
// middle of a turn cycle: what the cycle had not done stays undone.
bool PuzzleField::update()
{
    if (timeLeft <= 0) {
        arrowShiftX = 0;
        arrowShiftY = 0;
        return true;
    }
    phase = phase + 1;
    if (phase >= READY_AT) {
        refill();
    } else {
        shrinkCleared();
        if (phase >= arrowFlyFrom) {
            moveArrow();
            settle();
        }
    }
    changeColour();
    requestEvaluation();
    timeLeft = timeLeft - 1;
    return false;
}

void PuzzleField::shrinkCleared()
{
    for (int32_t k = 0; k < CELLS; ++k) {
        if (board[k] != EMPTY) continue;
        if (shrink[k] <= cellSize) shrink[k] += 16;
        if (shrink[k] >= cellSize) shrink[k] = cellSize;
    }
}

// The arrow flies toward the board until the pulse phase, then throbs. The
// pulse mixes precisions on purpose: x in single, the sine in double rounded
// to single, the product in single.
void PuzzleField::moveArrow()
{
    if (phase < arrowPulseFrom) {
        arrowShiftX = arrowShiftX - 20;
        arrowShiftY = arrowShiftY + 12;
        return;
    }
    if (phase == arrowPulseFrom) playSoundEffect(SE_RADAR);
    if (phase < arrowPulseUntil) {
        const float x = static_cast<float>(phase) * 0.2f;
        const float sine = static_cast<float>(std::sin(static_cast<double>(x)));
        arrowPulse = static_cast<int32_t>(std::fabs(sine) * static_cast<float>(cellSize / 2));
    }
}

// One change per press: the latch is set by a change and cleared only when the
// button is seen up, so a drag changes only the first cell it reaches.
void PuzzleField::changeColour()
{
    if (phase < READY_AT) return;
    const bool mouseDown = roundInput.leftDown;
    if (!mouseDown && !logicalDown(STEP_BUTTON)) {
        leftHeld = false;
        return;
    }
    const bool aimByCursor = !mouseDown && boardCursor && boardCursor->shown;
    const int32_t k = aimByCursor ? boardCursor->cell() : cellUnderMouse();
    if (k < 0) return;
    if (leftHeld) return;
    turnGravity();
    if (board[k] == WILD) wildPresent = false;
    board[k] = board[k] + 1 > 5 ? 1 : board[k] + 1;
    leftHeld = true;
    if (changeCount == chainKeepChanges) chain = 0;
    changeCount = changeCount + 1;
}

// A press that comes too early is not latched, so one held until evaluations
// open is taken then.
void PuzzleField::requestEvaluation()
{
    if (!roundInput.rightDown && !logicalDown(CLEAR_BUTTON)) {
        rightHeld = false;
        return;
    }
    if (rightHeld) return;
    if (phase < evaluateFrom) return;
    evaluate();
}

int32_t cellAtPoint(int32_t cellSize, int32_t x, int32_t y)
{
    for (int32_t c = 0; c < 4; ++c)
        for (int32_t r = 0; r < 4; ++r)
            if (cellSize * c < x && x < cellSize * (c + 1) && cellSize * r < y && y < cellSize * (r + 1))
                return c * 4 + r;
    return -1;
}

// A failed position query hits nothing rather than acting on an unknown point.
int32_t PuzzleField::cellUnderMouse() const
{
    if (!roundInput.pointerKnown) return -1;
    return cellAtPoint(cellSize, roundInput.pointerX, roundInput.pointerY);
}

// A vanishing or growing block is drawn smaller, centred in its cell and spun
// by its shrink offset taken as radians.
void PuzzleField::draw()
{
    for (int32_t k = 0; k < CELLS; ++k) {
        const int32_t v = shownBoard[k];
        if (v == EMPTY) continue;
        const int32_t s = shrink[k];
        const int32_t c = k / 4;
        const int32_t r = k % 4;
        blockSprite->DrawRotated(cellSize * c + s / 2, cellSize * r + s / 2, cellSize - s, cellSize - s,
                                 cellSize * (v - 1), cellSize, cellSize, static_cast<float>(s));
    }
}
