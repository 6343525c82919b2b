// MousePointer.cpp — the pointer's two sprites and its spin. The spin angle
// is wrapped at a full turn: an angle that grew without bound would stop
// changing in single precision after days of running.
#include "app/MousePointer.h"

#include "framework/Destroy.h"
#include "framework/core/MainWindow.h"
#include "framework/graphics/orvSprite.h"
#include "game/RoundInput.h"

orvSprite* pointerSprite = nullptr;
orvSprite* rotateSprite = nullptr;
float pointerAngle = 0.0f;

namespace {

constexpr float SpinPerFrame = 0.1f;
constexpr float FullTurn = 6.2831853f;
constexpr int PointerSize = 64;

}  // namespace

namespace MousePointer {

bool Create()
{
    ShowCursor(FALSE);
    pointerSprite = new orvSprite("DATA/mouse/MousePointer.png");
    rotateSprite = new orvSprite("DATA/mouse/PointRotate.png");
    return true;
}

void Draw(const RoundInput* recorded)
{
    pointerAngle += SpinPerFrame;
    if (pointerAngle >= FullTurn) pointerAngle -= FullTurn;
    const auto position = [recorded](POINT& at) {
        if (!recorded) return cursorInMainWindow(at);
        at = POINT{recorded->pointerX, recorded->pointerY};
        return recorded->pointerKnown;
    };
    // An unknown position draws nothing rather than a pointer at a made-up
    // place; the image's top-left corner is the hot spot.
    POINT at{};
    if (pointerSprite && position(at))
        pointerSprite->Draw(at.x, at.y, PointerSize, PointerSize, 0, 0, PointerSize, PointerSize, 0.0f);
    // Read again: the spinner follows the cursor as it is now.
    POINT spinAt{};
    if (rotateSprite && position(spinAt))
        rotateSprite->DrawRotated(spinAt.x + 32, spinAt.y + 16, PointerSize, PointerSize, 0, PointerSize, PointerSize,
                                  pointerAngle);
}

void Release()
{
    destroy(pointerSprite);
    destroy(rotateSprite);
}

}  // namespace MousePointer
