// Mouse: the computer-mouse glyph that teaches the two buttons (status
// column, start banner, colour-change icon), and the game's drawn pointer
// and its spinner.
#include <cmath>
#include <numbers>

#include "Art.h"
#include "Shapes.h"

namespace datagen {

static const Rgba kLit = {0.25f, 0.95f, 1.0f, 1};

void drawMouse(Canvas& c, float cx, float cy, float height, int litButton)
{
    float hw = height * 0.34f, hh = height * 0.5f;
    Box box = {int(cx - hw - height * 0.2f), int(cy - hh - height * 0.2f), int(cx + hw + height * 0.2f) + 1,
               int(cy + hh + height * 0.2f) + 1};
    Sdf body = roundRect(cx, cy, hw, hh, hw * 0.95f);
    c.fill(grow(body, height * 0.04f), solid({0.02f, 0.03f, 0.08f, 1}), box);
    c.fill(body, verticalGradient(cy - hh, {0.93f, 0.95f, 1, 1}, cy + hh, {0.62f, 0.66f, 0.78f, 1}), box);
    float split = cy - hh * 0.12f, gap = height * 0.03f;
    for (int side = 0; side < 2; ++side) {
        float x0 = side == 0 ? cx - hw : cx + gap, x1 = side == 0 ? cx - gap : cx + hw;
        Sdf button = intersect(
            body, roundRect((x0 + x1) / 2, (cy - hh + split) / 2, (x1 - x0) / 2, (split - cy + hh) / 2, 0.001f));
        if (side == litButton) {
            c.glow(button, withAlpha(kLit, 0.7f), height * 0.18f, box);
            c.fill(button, solid(kLit), box);
        }
    }
    Sdf seam = unite(roundRect(cx, (cy - hh + split) / 2, gap * 0.5f, (split - cy + hh) / 2, 0.001f),
                     roundRect(cx, split, hw, gap * 0.5f, 0.001f));
    c.fill(intersect(seam, body), solid({0.10f, 0.12f, 0.22f, 1}), box);
}

Canvas makeMousePointer()
{
    Canvas c(64, 64);
    // The tip sits just inside the top-left corner so its outline is not cut off.
    Sdf arrow =
        moved(polygon({{0, 0}, {0, 38.5f}, {10, 29.5f}, {17, 45.5f}, {24.5f, 42}, {17.5f, 27}, {30.5f, 27}}), 3, 3);
    c.glow(arrow, {0.2f, 0.9f, 1, 0.55f}, 5, fullBox(c));
    c.fill(grow(arrow, 1.6f), solid({0.02f, 0.03f, 0.10f, 1}), fullBox(c));
    c.fill(grow(arrow, -0.6f), verticalGradient(2, {1, 1, 1, 1}, 46, {0.70f, 0.90f, 1, 1}), fullBox(c));
    return c;
}

Canvas makeSpinner()
{
    // A comet of dots: the head bright, the tail fading behind it in the
    // direction the picture turns (clockwise on screen).
    Canvas c(64, 64);
    const int dots = 9;
    for (int k = dots - 1; k >= 0; --k) {
        float angle = -float(k) * 0.36f;
        float x = 32 + std::cos(angle) * 17, y = 32 + std::sin(angle) * 17;
        float fade = 1 - float(k) / float(dots);
        Sdf dot = circle(x, y, 2.0f + 3.2f * fade);
        if (k == 0) c.glow(dot, {0.3f, 0.95f, 1, 0.8f}, 6, fullBox(c));
        c.fill(grow(dot, 1.0f), solid({0.02f, 0.04f, 0.10f, 0.8f * fade}), fullBox(c));
        c.fill(dot, solid(withAlpha(mix({0.35f, 0.55f, 1, 1}, {0.85f, 1, 1, 1}, fade), 0.35f + 0.65f * fade)),
               fullBox(c));
    }
    return c;
}

Canvas makeParticle()
{
    Canvas c(64, 64);
    c.glow(circle(32, 32, 3), {1, 1, 1, 1}, 28, fullBox(c));
    c.fill(circle(32, 32, 3), solid({1, 1, 1, 1}), fullBox(c));
    return c;
}

}  // namespace datagen
