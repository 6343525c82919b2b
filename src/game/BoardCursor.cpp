// BoardCursor.cpp — reading the directions once per tick, the repeat of a
// held direction, hiding on mouse motion, and drawing the highlight.
#include "game/BoardCursor.h"

#include "framework/Destroy.h"
#include "framework/graphics/orvSprite.h"
#include "framework/input/Input.h"
#include "game/RoundInput.h"

BoardCursor::BoardCursor()
    : sprite(new orvSprite("DATA/PuzzleField/cursor.png")), column(0), row(0), shown(false), heldFor{}, lastMouse{},
      mouseKnown(false)
{
}

BoardCursor::~BoardCursor() { destroy(sprite); }

void BoardCursor::update()
{
    if (roundInput.pointerKnown) {
        const POINT mouse{roundInput.pointerX, roundInput.pointerY};
        if (mouseKnown && (mouse.x != lastMouse.x || mouse.y != lastMouse.y)) shown = false;
        lastMouse = mouse;
        mouseKnown = true;
    }
    // A direction is held by its logical button (keys W/S/A/D, the pad's hat)
    // or by the first stick, which the arrow keys drive too.
    for (int direction = 0; direction < 4; ++direction) {
        if (!roundInput.directionHeld(direction)) {
            heldFor[direction] = 0;
            continue;
        }
        const int32_t held = ++heldFor[direction];
        if (held == 1 || (held > REPEAT_DELAY && (held - REPEAT_DELAY - 1) % REPEAT_EVERY == 0)) step(direction);
    }
}

// The first direction after the mouse was used brings the cursor back where
// the pointer is (or where it was) rather than moving it.
void BoardCursor::step(int direction)
{
    if (!shown) {
        if (mouseKnown && lastMouse.x > 0 && lastMouse.x < 4 * CELL && lastMouse.y > 0 && lastMouse.y < 4 * CELL) {
            column = lastMouse.x / CELL;
            row = lastMouse.y / CELL;
        }
        shown = true;
        return;
    }
    switch (direction) {
    case PAD_UP: row = row > 0 ? row - 1 : row; break;
    case PAD_DOWN: row = row < 3 ? row + 1 : row; break;
    case PAD_LEFT: column = column > 0 ? column - 1 : column; break;
    default: column = column < 3 ? column + 1 : column; break;
    }
}

void BoardCursor::draw()
{
    if (shown) sprite->Draw(column * CELL, row * CELL, CELL, CELL, 0, 0, CELL, CELL, 0.0f);
}
