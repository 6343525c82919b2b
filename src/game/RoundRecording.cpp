// RoundRecording.cpp — a round's start taken and put back, the recorder's
// changes-only log, playback tick by tick, and a whole round played with no
// device.
#include "game/RoundRecording.h"

#include "game/BoardCursor.h"
#include "game/FieldEngine.h"
#include "game/PuzzleField.h"

#include <algorithm>

namespace {

// Where a coordinate lies for everything the round does with the mouse: the
// block of the board (or beyond it) it falls in, and whether it lies on a
// block's edge, which hits no cell.
int32_t zone(int32_t v)
{
    const int32_t cell = BoardCursor::CELL;
    const int32_t block = v >= 0 ? v / cell : -1 - (-1 - v) / cell;
    return block * 2 + (v % cell == 0 ? 1 : 0);
}

// Only the pointer moved, within the zones, while the cursor was hidden: the
// round cannot tell this tick's input from the last one kept.
bool sameForTheRound(const RoundInput& a, const RoundInput& b, bool cursorShown)
{
    if (cursorShown) return false;
    RoundInput moved = b;
    moved.pointerX = a.pointerX;
    moved.pointerY = a.pointerY;
    return moved == a && zone(a.pointerX) == zone(b.pointerX) && zone(a.pointerY) == zone(b.pointerY);
}

}  // namespace

RoundStart roundStartOf(const FieldEngine& engine, const PuzzleField& field, const BoardCursor& cursor, int32_t track)
{
    RoundStart start;
    start.seed = engine.seedValue();
    start.drawn = engine.drawn();
    start.changeCount = field.changeCount;
    start.cursorColumn = cursor.column;
    start.cursorRow = cursor.row;
    start.cursorShown = cursor.shown;
    std::copy(cursor.heldFor, cursor.heldFor + 4, start.cursorHeld);
    start.cursorMouseKnown = cursor.mouseKnown;
    start.cursorMouseX = cursor.lastMouse.x;
    start.cursorMouseY = cursor.lastMouse.y;
    start.track = track;
    return start;
}

void applyRoundStart(const RoundStart& start, FieldEngine& engine, PuzzleField& field, BoardCursor& cursor)
{
    engine.seed(start.seed);
    engine.discard(start.drawn);
    field.changeCount = start.changeCount;
    cursor.column = start.cursorColumn;
    cursor.row = start.cursorRow;
    cursor.shown = start.cursorShown;
    std::copy(start.cursorHeld, start.cursorHeld + 4, cursor.heldFor);
    cursor.mouseKnown = start.cursorMouseKnown;
    cursor.lastMouse = POINT{start.cursorMouseX, start.cursorMouseY};
    field.resetRound();
}

void RoundRecorder::begin(const RoundStart& start)
{
    recording_ = RoundRecording{};
    recording_.start = start;
    last_ = RoundInput{};
    ticks_ = 0;
    active_ = true;
}

void RoundRecorder::tick(const RoundInput& input, bool cursorShown)
{
    if (!active_) return;
    ++ticks_;
    if (input == last_) return;
    const bool thin = sameForTheRound(last_, input, cursorShown);
    if (thin && !recording_.changes.empty() && ticks_ - recording_.changes.back().tick < PointerEvery) return;
    recording_.changes.push_back(InputChange{ticks_, input});
    last_ = input;
}

RoundRecording RoundRecorder::finish(int32_t score, int32_t chain)
{
    active_ = false;
    recording_.score = score;
    recording_.chain = chain;
    return std::move(recording_);
}

RoundInput RoundPlayback::next()
{
    ++tick_;
    while (nextChange_ < recording_.changes.size() && recording_.changes[nextChange_].tick <= tick_)
        current_ = recording_.changes[nextChange_++].input;
    return current_;
}

RoundOutcome playRound(const RoundRecording& recording)
{
    FieldEngine engine(recording.start.seed);
    PuzzleField field(engine);
    BoardCursor cursor;
    field.boardCursor = &cursor;
    applyRoundStart(recording.start, engine, field, cursor);
    RoundPlayback playback(recording);
    RoundOutcome outcome;
    const RoundInput live = roundInput;
    for (;;) {
        roundInput = playback.next();
        cursor.update();
        if (field.update()) break;
        outcome.chain = std::max(outcome.chain, field.chain);
    }
    roundInput = live;
    outcome.score = field.score;
    outcome.ticks = playback.ticks();
    return outcome;
}
