// TickSnapshot.cpp — copying the game's values into a TickRecord. A missing
// panel or counter (the scene not initialised) leaves its values empty rather
// than guessing them.
#include "TickSnapshot.h"

#include "app/sceneMain.h"
#include "game/DigitCounter.h"
#include "game/PuzzleField.h"
#include "game/StatusPanel.h"

namespace replay {

namespace {

std::vector<int32_t> cells(const int32_t (&values)[PuzzleField::CELLS])
{
    return std::vector<int32_t>(std::begin(values), std::end(values));
}

std::vector<int32_t> digits(const DigitCounter* counter)
{
    std::vector<int32_t> shown;
    if (!counter || !counter->cells) return shown;
    for (int32_t i = 0; i < counter->digitCount; ++i) shown.push_back(counter->cells[i].digit);
    return shown;
}

}  // namespace

TickRecord snapshotTick(uint32_t tick, bool drawn, const sceneMain& scene)
{
    TickRecord r;
    r.tick = tick;
    r.drawn = drawn;
    r.playing = scene.playing;
    r.overlayOffset = scene.overlayOffset;
    if (const PuzzleField* field = scene.field) {
        r.board = cells(field->board);
        r.shownBoard = cells(field->shownBoard);
        r.shrink = cells(field->shrink);
        r.phase = field->phase;
        r.timeLeft = field->timeLeft;
        r.gravity = field->gravity;
        r.leftHeld = field->leftHeld;
        r.rightHeld = field->rightHeld;
        r.wildPresent = field->wildPresent;
        r.changeCount = field->changeCount;
        r.chain = field->chain;
        r.score = field->score;
    }
    r.gravityAngle = gravityAngle;
    r.arrowShiftX = arrowShiftX;
    r.arrowShiftY = arrowShiftY;
    r.arrowPulse = arrowPulse;
    if (const StatusPanel* panel = scene.panel) {
        r.shownScore = panel->shownScore;
        r.scoreDigits = digits(panel->scoreCounter);
        r.timeDigits = digits(panel->timeCounter);
        r.chainDigits = digits(panel->chainCounter);
    }
    return r;
}

}  // namespace replay
