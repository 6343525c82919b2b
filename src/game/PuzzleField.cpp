// PuzzleField.cpp — the field's life: construction, destruction, the round
// reset, the random engine and the refill step that spawns new blocks (and now
// and then the one wild).
// Limits: the engine is seeded during static initialisation, before WinMain.
// Depends on: seedFromSystem, orvSprite, stopMusic.
#include "game/PuzzleField.h"

#include "framework/Destroy.h"
#include "framework/core/SystemSeed.h"
#include "framework/graphics/orvSprite.h"
#include "framework/sound/MusicStream.h"

float gravityAngle = 0.0f;
int32_t arrowShiftX = 0;
int32_t arrowShiftY = 0;
int32_t arrowPulse = 0;

namespace {

int32_t drawColour(FieldEngine& engine)
{
    std::uniform_int_distribution<int32_t> colour(1, 5);
    return colour(engine);
}

// One chance in sixteen of asking for a wild.
bool drawWild(FieldEngine& engine)
{
    std::uniform_int_distribution<int32_t> wild(0, 15);
    return wild(engine) == 1;
}

}  // namespace

FieldEngine fieldRandom{seedFromSystem()};

PuzzleField::PuzzleField(FieldEngine& engine)
    : evaluateFrom(150), cellSize(256), minGroup(4), timeCap(5940), chainKeepChanges(2), arrowFlyFrom(20),
      arrowPulseFrom(50), arrowPulseUntil(95), slideAt(105), blockSprite(nullptr), board{}, shownBoard{}, shrink{},
      phase(READY_AT), timeLeft(3600), gravity(0), leftHeld(false), rightHeld(false), wildPresent(false),
      changeCount(0), chain(0), score(0), random(&engine)
{
    blockSprite = new orvSprite("DATA/PuzzleField/peace.png");
    resetRound();
    // A new field shows a board but counts as a finished round until the
    // scene starts one.
    timeLeft = 0;
}

PuzzleField::~PuzzleField()
{
    stopMusic();
    destroy(blockSprite);
}

void PuzzleField::resetRound()
{
    for (int32_t k = 0; k < CELLS; ++k) {
        board[k] = drawColour(*random);
        shrink[k] = 0;
    }
    for (int32_t k = 0; k < CELLS; ++k) shownBoard[k] = board[k];
    arrowShiftX = 0;
    arrowShiftY = 0;
    arrowPulse = 0;
    gravityAngle = 0.0f;
    phase = READY_AT;
    timeLeft = 3600;
    gravity = 0;
    leftHeld = false;
    rightHeld = false;
    chain = 0;
    score = 0;
    wildPresent = false;
}

// Runs every frame from the ready phase on, whether or not a cell is empty:
// blocks grow back 16 pixels a frame, and each empty cell costs exactly one
// colour draw and one wild draw, in index order, even when the wild draw is
// bound to be ignored.
void PuzzleField::refill()
{
    arrowShiftX = 0;
    arrowShiftY = 0;
    for (int32_t k = 0; k < CELLS; ++k) {
        if (board[k] != EMPTY) {
            if (shrink[k] > 0) shrink[k] -= 16;
            continue;
        }
        shrink[k] = cellSize;
        board[k] = drawColour(*random);
        if (drawWild(*random) && !wildPresent) {
            wildPresent = true;
            board[k] = WILD;
        }
    }
    for (int32_t k = 0; k < CELLS; ++k) shownBoard[k] = board[k];
}
