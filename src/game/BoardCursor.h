// BoardCursor.h — the board without a mouse: one cell highlighted, moved one
// cell at a time by the direction buttons (W/A/S/D and the pad's hat), the
// arrow keys and the left stick. A held direction moves once, then again
// after a delay and at a steady pace, all counted in ticks; the cursor stops
// at the board's edges. It is hidden until a direction is used and again
// whenever the mouse moves; while it is shown, the field's action buttons
// aim at its cell instead of the mouse's.
// Limits: main thread; update once per tick, draw once per drawn frame.
// Depends on: RoundInput (logical buttons 0–3, the stick, the mouse position),
// orvSprite ("DATA/PuzzleField/cursor.png").
#pragma once

#include <windows.h>

#include <cstdint>

class orvSprite;

class BoardCursor {
public:
    static constexpr int32_t REPEAT_DELAY = 15;   // ticks a direction is held before it repeats
    static constexpr int32_t REPEAT_EVERY = 5;    // ticks between repeats after that
    static constexpr int32_t CELL = 256;

    BoardCursor();
    ~BoardCursor();
    BoardCursor(const BoardCursor&) = delete;
    BoardCursor& operator=(const BoardCursor&) = delete;

    void update();
    void draw();
    int32_t cell() const { return column * 4 + row; }

    orvSprite* sprite;
    int32_t column;
    int32_t row;
    bool shown;
    int32_t heldFor[4];  // ticks each direction (up, down, left, right) has been held; 0 while up
    POINT lastMouse;
    bool mouseKnown;

private:
    void step(int direction);
};
