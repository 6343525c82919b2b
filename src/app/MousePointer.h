// MousePointer.h — the game's own mouse pointer: the system cursor is hidden
// and an arrow image is drawn at the mouse position with a spinning image
// beside it. The position is the one the field's hit test uses (cursor minus
// the main window's outer top-left corner, unscaled), so the pointer shows
// the point a click acts on.
// Limits: one pointer for the run, main thread only; Create after the
// graphics device exists, Release before it goes. Depends on: orvSprite,
// cursorInMainWindow, ShowCursor.
#pragma once

class orvSprite;
struct RoundInput;

extern orvSprite* pointerSprite;
extern orvSprite* rotateSprite;
extern float pointerAngle;  // radians, kept within [0, 2π)

namespace MousePointer {

// Hides the system cursor and loads the two images; always true.
bool Create();
// Advances the spin by 0.1 radian and draws the pointer; once per drawn frame.
// With `recorded`, at the position a watched round had (nowhere when unknown).
void Draw(const RoundInput* recorded = nullptr);
void Release();

}  // namespace MousePointer
