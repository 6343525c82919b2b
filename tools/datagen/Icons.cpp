// Icons: the gravity arrow (points up at angle 0; drawn at half size and
// turned by the game), the colour-change icon (the five colours in their
// stepping order around a mouse with its left button lit) and the game's
// icon at every size the desktop asks for.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "Art.h"
#include "Shapes.h"

namespace datagen {

Canvas makeArrow()
{
    Canvas c(256, 256);
    Box box = fullBox(c);
    Sdf head = polygon({{128, 14}, {232, 124}, {166, 124}, {166, 226}, {90, 226}, {90, 124}, {24, 124}});
    Sdf arrow = grow(head, 6);
    c.glow(arrow, {0.25f, 0.85f, 1, 0.75f}, 20, box);
    c.fill(grow(arrow, 6), solid({0.02f, 0.04f, 0.12f, 1}), box);
    c.fill(arrow, verticalGradient(10, {1, 1, 0.85f, 1}, 230, {1.0f, 0.55f, 0.15f, 1}), box);
    // A lighter bevel on the left half gives the arrow some body.
    Sdf bevel = intersect(grow(head, -4), polygon({{128, 0}, {128, 256}, {0, 256}, {0, 0}}));
    c.fill(bevel, solid({1, 1, 1, 0.28f}), box);
    return c;
}

Canvas makeColourChange()
{
    Canvas c(256, 256);
    Box box = fullBox(c);
    const float pi = std::numbers::pi_v<float>;
    // The cycle ring with arrowheads between the colours, turning clockwise.
    c.fill(ring(128, 128, 92, 6), solid({0.55f, 0.70f, 1, 0.9f}), box);
    for (int v = 1; v <= 5; ++v) {
        float a = (float(v) - 0.5f) * 2 * pi / 5;
        float x = 128 + std::sin(a) * 92, y = 128 - std::cos(a) * 92;
        float fx = std::cos(a), fy = std::sin(a);  // clockwise tangent
        Sdf tip = polygon({{x + fx * 12, y + fy * 12},
                           {x - fx * 8 - fy * 11, y - fy * 8 + fx * 11},
                           {x - fx * 8 + fy * 11, y - fy * 8 - fx * 11}});
        c.fill(grow(tip, 1), solid({0.75f, 0.88f, 1, 1}), box);
    }
    for (int v = 1; v <= 5; ++v) {
        float a = float(v - 1) * 2 * pi / 5;
        float x = 128 + std::sin(a) * 92, y = 128 - std::cos(a) * 92;
        drawPiece(c, v, x - 34, y - 34, 68);
    }
    c.glow(circle(128, 128, 30), {0.3f, 0.9f, 1, 0.3f}, 20, box);
    drawMouse(c, 128, 130, 70, 0);
    return c;
}

// From 64 pixels up: a plate with four raised blocks (red ring, green square,
// blue plus and the wild), the same drawing at any scale.
static Canvas makeDetailedIcon(int size)
{
    Canvas c(size, size);
    Box box = fullBox(c);
    const float k = float(size) / 256;
    Sdf plate = roundRect(128 * k, 128 * k, 124 * k, 124 * k, 40 * k);
    c.fill(plate, verticalGradient(0, {0.10f, 0.12f, 0.26f, 1}, 256 * k, {0.03f, 0.03f, 0.09f, 1}), box);
    c.fill(
        outline(grow(plate, -3 * k), 4 * k),
        [k](float x, float y) {
        return mix({0.20f, 0.85f, 1, 1}, {0.70f, 0.40f, 1, 1}, (x + y) / (512 * k));
        },
        box);
    const int values[4] = {1, 3, 4, 6};
    for (int i = 0; i < 4; ++i)
        drawPiece(c, values[i], (20.0f + float(i % 2) * 110) * k, (20.0f + float(i / 2) * 110) * k, 106 * k);
    return c;
}

// Below 64 pixels the blocks' gloss, glow and thin symbols would blur into
// each other, so the same four blocks are drawn again for the size: flat
// tiles whose edges lie on whole pixels, a spark on the wild from 24 pixels,
// the colour symbols from 32.
static Canvas makeSmallIcon(int size)
{
    struct Grid {
        int size, margin, gap;
    };
    const Grid grids[] = {{16, 1, 2}, {24, 2, 2}, {32, 3, 2}, {48, 4, 4}};
    Grid grid = grids[3];
    for (const Grid& g : grids)
        if (g.size == size) grid = g;
    Canvas c(size, size);
    Box box = fullBox(c);
    const float half = float(size) / 2;
    Sdf plate = roundRect(half, half, half, half, float(size) * 0.18f);
    c.fill(plate, verticalGradient(0, {0.12f, 0.14f, 0.30f, 1}, float(size), {0.03f, 0.03f, 0.09f, 1}), box);
    if (size >= 24) c.fill(outline(grow(plate, -0.5f), 1), solid({0.35f, 0.65f, 1, 1}), box);

    const int tile = (size - 2 * grid.margin - grid.gap) / 2;
    const int values[4] = {1, 3, 4, 6};
    for (int i = 0; i < 4; ++i) {
        const float x = float(grid.margin + (i % 2) * (tile + grid.gap));
        const float y = float(grid.margin + (i / 2) * (tile + grid.gap));
        const float t = float(tile), cx = x + t / 2, cy = y + t / 2;
        Sdf body = roundRect(cx, cy, t / 2, t / 2, std::max(1.0f, t * 0.2f));
        if (values[i] == 6) {
            const float rim = std::max(1.0f, std::round(t * 0.12f));
            c.fill(
                body,
                [cx, cy](float px, float py) {
                return hsv(std::atan2(py - cy, px - cx) / (2 * std::numbers::pi_v<float>), 0.75f, 1.0f);
                },
                box);
            c.fill(grow(body, -rim), solid({0.10f, 0.10f, 0.18f, 1}), box);
            if (size >= 24) c.fill(star(cx, cy, 4, t * 0.36f, t * 0.10f), solid({1, 1, 1, 1}), box);
            continue;
        }
        const Rgba colour = pieceColour(values[i]);
        c.fill(body, verticalGradient(y, mix(colour, {1, 1, 1, 1}, 0.25f), y + t, colour), box);
        if (size >= 32) {
            Sdf symbol = pieceSymbol(values[i], cx, cy, t * 0.30f);
            c.fill(grow(symbol, 1), solid({0, 0, 0, 0.45f}), box);
            c.fill(symbol, solid({1, 1, 1, 1}), box);
        }
    }
    return c;
}

Canvas makeGameIcon(int size) { return size >= 64 ? makeDetailedIcon(size) : makeSmallIcon(size); }

}  // namespace datagen
