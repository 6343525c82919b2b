// Status: the status column at the right of the board (256 x 1024). The game
// draws over it, in column coordinates: the gravity arrow turning about
// (128, 128), the score digits at y 270 (x 16..245), the chain digits at
// y 530 (x 96..161), the time digits at y 690 (x 76..155) and the
// colour-change icon at 32..224 x 796..988. The column gives each of them a
// socket or a well and a label, and keeps its own text clear of them.
#include <algorithm>
#include <cmath>

#include "Art.h"
#include "Shapes.h"
#include "TextStyle.h"

namespace datagen {

static const Rgba kFrame = {0.35f, 0.62f, 1.0f, 1};

static void drawWell(Canvas& c, float cx, float cy, float hw, float hh)
{
    Sdf well = roundRect(cx, cy, hw, hh, 10);
    Box box = fullBox(c);
    c.glow(well, {0.2f, 0.5f, 1, 0.25f}, 8, box);
    c.fill(well, verticalGradient(cy - hh, {0.01f, 0.02f, 0.05f, 1}, cy + hh, {0.04f, 0.06f, 0.13f, 1}), box);
    c.fill(outline(well, 2), solid(withAlpha(kFrame, 0.85f)), box);
}

static TextStyle labelStyle(int size)
{
    TextStyle s;
    s.size = size;
    s.tracking = size / 5;
    s.fill = verticalGradient(0, {1, 1, 1, 1}, 1024, {0.6f, 0.9f, 1, 1});
    s.glowRadius = 2;
    s.glowColour = {0.2f, 0.6f, 1, 0.6f};
    return s;
}

static void drawGravitySocket(Canvas& c, const Fonts& fonts)
{
    Box box = fullBox(c);
    drawTextCentred(c, fonts.sans, "GRAVITY", 128, 32, labelStyle(18));
    Sdf socket = circle(128, 128, 74);
    c.glow(socket, {0.2f, 0.5f, 1, 0.35f}, 10, box);
    c.fill(
        socket,
        [](float x, float y) {
        float t = std::min(1.0f, std::hypot(x - 128, y - 128) / 74);
        return mix({0.07f, 0.10f, 0.22f, 1}, {0.01f, 0.02f, 0.05f, 1}, t);
        },
        box);
    c.fill(outline(socket, 3), solid(kFrame), box);
    c.fill(ring(128, 128, 62, 1), solid({0.35f, 0.55f, 1, 0.35f}), box);
    // Markers for the four gravity directions.
    const Point dirs[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    for (const Point& d : dirs) {
        float bx = 128 + d.x * 80, by = 128 + d.y * 80, tx = 128 + d.x * 90, ty = 128 + d.y * 90;
        Sdf marker = polygon({{bx + d.y * 6, by - d.x * 6}, {tx, ty}, {bx - d.y * 6, by + d.x * 6}});
        c.fill(grow(marker, 0.5f), solid({0.8f, 0.95f, 1, 1}), box);
    }
}

static void drawControlsLegend(Canvas& c, const Fonts& fonts)
{
    drawWell(c, 128, 416, 120, 70);
    TextStyle key = labelStyle(15);
    key.tracking = 1;
    key.fill = solid({0.35f, 0.95f, 1, 1});
    TextStyle text = key;
    text.fill = solid({0.92f, 0.94f, 1, 1});
    text.glowRadius = 0;
    drawMouse(c, 40, 387, 44, 0);
    drawText(c, fonts.sans, "LEFT CLICK", 70, 382, key);
    drawText(c, fonts.sans, "colour + turn", 70, 403, text);
    drawMouse(c, 40, 448, 44, 1);
    drawText(c, fonts.sans, "RIGHT CLICK", 70, 443, key);
    drawText(c, fonts.sans, "clear 4 or more", 70, 464, text);
}

Canvas makeStatusColumn(const Fonts& fonts)
{
    Canvas c(256, 1024);
    Box box = fullBox(c);
    c.fill(roundRect(128, 512, 200, 600, 1),
           verticalGradient(0, {0.05f, 0.07f, 0.15f, 1}, 1024, {0.07f, 0.04f, 0.13f, 1}), box);
    // Faint scan lines give the ground some texture.
    for (int y = 2; y < 1024; y += 4)
        c.fill(roundRect(128, float(y) + 0.5f, 130, 0.5f, 0.01f), solid({1, 1, 1, 0.025f}), {0, y, 256, y + 1});
    c.fill(roundRect(1.5f, 512, 1.5f, 600, 0.01f), solid({0.4f, 0.8f, 1, 1}), box);
    c.glow(roundRect(1.5f, 512, 1.5f, 600, 0.01f), {0.3f, 0.6f, 1, 0.5f}, 10, box);

    drawGravitySocket(c, fonts);

    drawTextCentred(c, fonts.sans, "SCORE", 128, 250, labelStyle(22));
    drawWell(c, 128, 295, 121, 34);

    drawControlsLegend(c, fonts);

    drawTextCentred(c, fonts.sans, "CHAIN", 128, 514, labelStyle(22));
    drawWell(c, 128, 549, 52, 27);

    drawTextCentred(c, fonts.sans, "TIME", 128, 672, labelStyle(22));
    drawWell(c, 116, 715, 50, 31);
    TextStyle unit = labelStyle(15);
    drawText(c, fonts.sans, "SEC", 174, 740, unit);

    drawTextCentred(c, fonts.sans, "COLOUR CYCLE", 128, 780, labelStyle(14));
    drawWell(c, 128, 892, 102, 102);

    TextStyle title = labelStyle(14);
    title.tracking = 8;
    title.fill = solid({0.55f, 0.65f, 0.9f, 1});
    drawTextCentred(c, fonts.sans, "VANTOREL", 128, 1015, title);
    return c;
}

}  // namespace datagen
