// Pieces: the block image and the block drawing that other pictures reuse.
// Each colour carries its own white symbol; the wild is a dark prism block
// ringed with a rainbow and showing all five symbols, so that it cannot be
// taken for a colour.
#include <cmath>
#include <numbers>

#include "Art.h"
#include "Shapes.h"

namespace datagen {

Rgba pieceColour(int value)
{
    switch (value) {
    case 1: return {1.00f, 0.27f, 0.33f, 1};   // red
    case 2: return {1.00f, 0.70f, 0.12f, 1};   // amber
    case 3: return {0.18f, 0.84f, 0.42f, 1};   // green
    case 4: return {0.16f, 0.56f, 1.00f, 1};   // blue
    case 5: return {0.70f, 0.38f, 1.00f, 1};   // violet
    default: return {0.92f, 0.92f, 1.00f, 1};  // wild
    }
}

Sdf pieceSymbol(int value, float cx, float cy, float r)
{
    switch (value) {
    case 1: return ring(cx, cy, r * 0.70f, r * 0.40f);
    case 2: {
        float top = cy - r * 1.02f, bottom = cy + r * 0.72f, half = r * 1.0f;
        return grow(polygon({{cx, top}, {cx + half, bottom}, {cx - half, bottom}}), r * 0.06f);
    }
    case 3: return roundRect(cx, cy, r * 0.74f, r * 0.74f, r * 0.16f);
    case 4:
        return unite(roundRect(cx, cy, r * 0.95f, r * 0.30f, r * 0.10f),
                     roundRect(cx, cy, r * 0.30f, r * 0.95f, r * 0.10f));
    case 5: return grow(star(cx, cy + r * 0.06f, 5, r * 1.08f, r * 0.46f), r * 0.03f);
    default: return star(cx, cy, 4, r * 0.95f, r * 0.22f);
    }
}

static Box around(float x, float y, float size)
{
    return {int(std::floor(x)), int(std::floor(y)), int(std::ceil(x + size)), int(std::ceil(y + size))};
}

// The raised tile body shared by every block.
static void drawTile(Canvas& c, float x, float y, float s, const Rgba& top, const Rgba& bottom, const Rgba& rim)
{
    float cx = x + s / 2, cy = y + s / 2;
    Box box = around(x, y, s);
    Sdf body = roundRect(cx, cy, s * 0.445f, s * 0.445f, s * 0.15f);
    c.glow(body, withAlpha(mix(top, bottom, 0.5f), 0.35f), s * 0.05f, box);
    c.fill(body, verticalGradient(y + s * 0.06f, top, y + s * 0.94f, bottom), box);
    c.fill(intersect(outline(grow(body, -s * 0.02f), s * 0.022f), body), solid(rim), box);
    // Gloss over the upper half.
    Sdf gloss = intersect(grow(body, -s * 0.045f), circle(cx, y - s * 0.55f, s * 0.95f));
    c.fill(gloss, verticalGradient(y, {1, 1, 1, 0.30f}, y + s * 0.45f, {1, 1, 1, 0.04f}), box);
}

static void drawSymbol(Canvas& c, int value, float cx, float cy, float r, const Rgba& ink, const Rgba& edge, Box box)
{
    Sdf shape = pieceSymbol(value, cx, cy, r);
    c.glow(moved(shape, r * 0.04f, r * 0.09f), {0, 0, 0, 0.45f}, r * 0.16f, box);
    c.fill(grow(shape, r * 0.07f), solid(edge), box);
    c.fill(shape, verticalGradient(cy - r, ink, cy + r, mix(ink, {0.85f, 0.88f, 0.95f, 1}, 0.6f)), box);
}

static void drawWild(Canvas& c, float x, float y, float s)
{
    float cx = x + s / 2, cy = y + s / 2;
    Box box = around(x, y, s);
    Sdf body = roundRect(cx, cy, s * 0.445f, s * 0.445f, s * 0.15f);
    auto rainbow = [=](float px, float py) {
        float turn = std::atan2(py - cy, px - cx) / (2 * std::numbers::pi_v<float>);
        return hsv(turn, 0.75f, 1.0f);
    };
    c.glow(body, {1, 1, 1, 0.45f}, s * 0.06f, box);
    c.fill(body, rainbow, box);
    c.fill(grow(body, -s * 0.05f), verticalGradient(y, {0.16f, 0.15f, 0.26f, 1}, y + s, {0.05f, 0.05f, 0.10f, 1}), box);
    c.glow(circle(cx, cy, s * 0.06f), {1, 1, 1, 0.55f}, s * 0.30f, box);
    // The five colours, each with its own symbol, circling the centre.
    for (int v = 1; v <= 5; ++v) {
        float angle = float(v - 1) * 2 * std::numbers::pi_v<float> / 5;
        float px = cx + std::sin(angle) * s * 0.29f, py = cy - std::cos(angle) * s * 0.29f;
        Rgba colour = pieceColour(v);
        c.fill(circle(px, py, s * 0.095f), solid(colour), box);
        c.fill(pieceSymbol(v, px, py, s * 0.055f), solid({1, 1, 1, 1}), box);
    }
    Sdf spark = pieceSymbol(6, cx, cy, s * 0.17f);
    c.glow(spark, {1, 1, 0.9f, 0.8f}, s * 0.08f, box);
    c.fill(spark, solid({1, 1, 1, 1}), box);
}

void drawPiece(Canvas& c, int value, float x, float y, float s)
{
    if (value == 6) {
        drawWild(c, x, y, s);
        return;
    }
    Rgba base = pieceColour(value);
    Rgba top = mix(base, {1, 1, 1, 1}, 0.22f), bottom = mix(base, {0, 0, 0, 1}, 0.30f);
    drawTile(c, x, y, s, top, bottom, mix(base, {1, 1, 1, 1}, 0.55f));
    Rgba edge = mix(base, {0, 0, 0, 1}, 0.55f);
    drawSymbol(c, value, x + s / 2, y + s / 2, s * 0.25f, {1, 1, 1, 1}, edge, around(x, y, s));
}

Canvas makePieces()
{
    Canvas c(2048, 256);
    for (int value = 1; value <= 6; ++value) drawPiece(c, value, float(256 * (value - 1)), 0, 256);
    return c;
}

}  // namespace datagen
