// PuzzleField.h — the puzzle: a 4 × 4 board of coloured blocks, its gravity,
// groups, chains, score, the turn cycle after a clear, the two controls (mouse
// buttons or logical buttons 4 and 5) and the drawing of the blocks. Also the four arrow values the status panel reads
// and the board's random engine.
// Limits: one field per scene, main thread only. Cell (column c, row r) lives at
// index c × 4 + r; values 0 empty, 1–5 colours, 6 wild.
// Depends on: orvSprite (block image), playSoundEffect / stopMusic, and the
// tick's RoundInput (the mouse and the logical buttons as the round reads them).
#pragma once

#include "game/FieldEngine.h"

#include <cstdint>

class BoardCursor;
class orvSprite;

// Written by the field, read by the status panel to draw the gravity arrow.
extern float gravityAngle;   // radians; the arrow is drawn rotated by it
extern int32_t arrowShiftX;  // pixels the arrow has flown toward the board
extern int32_t arrowShiftY;
extern int32_t arrowPulse;  // pixels the arrow has grown by while it throbs

// The board's own engine, seeded once from rand_s before WinMain. Nothing else
// draws from it; tests reseed it to get deterministic boards.
extern FieldEngine fieldRandom;

class PuzzleField {
public:
    static constexpr int32_t EMPTY = 0;
    static constexpr int32_t WILD = 6;
    static constexpr int32_t CELLS = 16;
    static constexpr int32_t TURN_AT = 129;   // the gravity turns once more near the end of a clear's cycle
    static constexpr int32_t READY_AT = 130;  // refill runs and colour changes are accepted from here
    static constexpr int STEP_BUTTON = 4;     // logical button that steps a colour like the left mouse button
    static constexpr int CLEAR_BUTTON = 5;    // logical button that asks for a clear like the right one

    // Tuning values, set at construction.
    int32_t evaluateFrom;
    int32_t cellSize;
    int32_t minGroup;
    int32_t timeCap;
    int32_t chainKeepChanges;
    int32_t arrowFlyFrom;
    int32_t arrowPulseFrom;
    int32_t arrowPulseUntil;
    int32_t slideAt;

    orvSprite* blockSprite;
    int32_t board[CELLS];
    int32_t shownBoard[CELLS];  // what is drawn and what groups are counted on
    int32_t shrink[CELLS];      // 0 full size … cellSize gone, in steps of 16
    int32_t phase;
    int32_t timeLeft;
    int32_t gravity;  // 0 up, 1 down, 2 left, 3 right
    bool leftHeld;
    bool rightHeld;
    bool wildPresent;
    int32_t changeCount;
    int32_t chain;
    int32_t score;
    const BoardCursor* boardCursor = nullptr;  // where the logical buttons aim; not owned
    FieldEngine* random;                       // what the board draws from; not owned

    // The board draws from `engine`: fieldRandom, or a watched round's own.
    explicit PuzzleField(FieldEngine& engine = fieldRandom);
    ~PuzzleField();
    PuzzleField(const PuzzleField&) = delete;
    PuzzleField& operator=(const PuzzleField&) = delete;

    void resetRound();
    bool update();  // one frame; true once the round is over
    void draw();

    // Model and refill.
    void refill();

    // Gravity and sliding.
    void turnGravity();
    void slide(int32_t direction);
    void settle();

    // Groups, clearing and scoring.
    void evaluate();
    void countGroup(int32_t column, int32_t row, int32_t& counter);
    void clearGroup(int32_t column, int32_t row);

    // Turn cycle and controls.
    void shrinkCleared();
    void moveArrow();
    void changeColour();
    void requestEvaluation();

private:
    void scoreClear(int32_t cleared);
    void emptyGroupFrom(int32_t index, int32_t colour, bool (&reached)[CELLS]);
    int32_t cellUnderMouse() const;
};

// The cell a point of the board hits, -1 for none. Both bounds are strict:
// a point on a cell border hits no cell.
int32_t cellAtPoint(int32_t cellSize, int32_t x, int32_t y);
