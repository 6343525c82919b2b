// PuzzleFieldGroups.cpp — the evaluation a right click asks for: group
// counting on shownBoard, emptying qualifying groups in board, and the chain,
// score and time bonus of a successful clear.
// Limits: groups are counted as paths, which with a minimum of four decides
// exactly as a count of distinct cells would. A wild joins every group it
// touches but never links two groups.
// Depends on: playSoundEffect, the sound catalogue ids.
#include "game/PuzzleField.h"

#include <algorithm>
#include <limits>

#include "framework/sound/SoundCatalogue.h"
#include "framework/sound/SoundSystem.h"

namespace {

// Neighbours in visiting order: column + 1, row + 1, column − 1, row − 1.
constexpr int32_t STEP_COLUMN[4] = {1, 0, -1, 0};
constexpr int32_t STEP_ROW[4] = {0, 1, 0, -1};

constexpr bool onBoard(int32_t column, int32_t row) { return column >= 0 && column < 4 && row >= 0 && row < 4; }

}  // namespace

void PuzzleField::evaluate()
{
    phase = 0;
    for (int32_t k = 0; k < CELLS; ++k) shownBoard[k] = board[k];

    int32_t cleared = 0;
    for (int32_t k = 0; k < CELLS; ++k) {
        if (shownBoard[k] <= EMPTY) continue;
        int32_t counter = 0;
        countGroup(k / 4, k % 4, counter);
        if (counter >= minGroup) {
            clearGroup(k / 4, k % 4);
            ++cleared;
        }
    }

    bool changed = false;
    for (int32_t k = 0; k < CELLS; ++k) changed = changed || board[k] != shownBoard[k];
    if (!changed) {
        // Nothing qualified: a short lock-out, then play goes on.
        phase = READY_AT;
        rightHeld = true;
        return;
    }
    scoreClear(cleared);
}

// Counts the paths from one cell through its colour and the wild. A cell is
// marked (set to 0) while on the current path and restored on the way back.
// Nothing reads the counter beyond its comparison with minGroup, so the walk
// stops widening once it gets there; this keeps a one-colour board cheap.
void PuzzleField::countGroup(int32_t column, int32_t row, int32_t& counter)
{
    const int32_t k = column * 4 + row;
    const int32_t v = shownBoard[k];
    shownBoard[k] = EMPTY;
    ++counter;
    for (int32_t n = 0; n < 4 && counter < minGroup; ++n) {
        const int32_t c = column + STEP_COLUMN[n];
        const int32_t r = row + STEP_ROW[n];
        if (!onBoard(c, r)) continue;
        const int32_t next = shownBoard[c * 4 + r];
        if (next == v || next == WILD) countGroup(c, r, counter);
    }
    shownBoard[k] = v;
}

// Empties in board the colour group of one cell (as shownBoard shows it) and
// every wild touching that group. The walk keeps its own record of reached
// cells, so it ends on any board, also one with empty cells.
void PuzzleField::clearGroup(int32_t column, int32_t row)
{
    bool reached[CELLS] = {};
    const int32_t k = column * 4 + row;
    emptyGroupFrom(k, shownBoard[k], reached);
}

void PuzzleField::emptyGroupFrom(int32_t index, int32_t colour, bool (&reached)[CELLS])
{
    reached[index] = true;
    if (board[index] == WILD) wildPresent = false;
    board[index] = EMPTY;
    if (colour == EMPTY) return;
    const int32_t column = index / 4;
    const int32_t row = index % 4;
    for (int32_t n = 0; n < 4; ++n) {
        const int32_t c = column + STEP_COLUMN[n];
        const int32_t r = row + STEP_ROW[n];
        if (!onBoard(c, r)) continue;
        const int32_t next = c * 4 + r;
        if (reached[next]) continue;
        if (shownBoard[next] == colour) {
            emptyGroupFrom(next, colour, reached);
        } else if (shownBoard[next] == WILD) {
            // The wild joins this group but does not carry it on.
            reached[next] = true;
            if (board[next] == WILD) wildPresent = false;
            board[next] = EMPTY;
        }
    }
}

// Score is worked out step by step in double precision and truncated; a score
// beyond the 32-bit range stays at its largest value instead of wrapping.
void PuzzleField::scoreClear(int32_t cleared)
{
    chain = chain + 1;
    const double points =
        ((chain * 0.4) * cleared + cleared) * 50 + static_cast<double>(chain * 100) + static_cast<double>(score);
    constexpr double highest = std::numeric_limits<int32_t>::max();
    score = points >= highest ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(points);

    timeLeft = timeLeft + (std::min(chain, 10) * cleared * 60) / 10;
    if (timeLeft > timeCap) timeLeft = timeCap;

    playSoundEffect(SE_SYUPON);
    changeCount = 0;
    rightHeld = true;
}
