// Overlays: what the game draws over the board for play without a mouse,
// for a paused round and for the sound level.
// Board cursor: 256 x 256, a glowing frame inside one cell, clear in the
// middle so the block stays readable.
// Pause cover: 1024 x 1024, opaque, hides the whole board; "PAUSED" and how
// to resume.
// Volume sheet: 512 x 512. Row 0 (y 0..127) the level panel with ten empty
// slots, slot i at x 200 + 28 * i, y 40..103 (24 x 64); row 1 (y 128..255)
// the same panel saying "MUTED"; the lit segment, 24 x 64, at (0, 256).
#include "Art.h"
#include "Shapes.h"
#include "TextStyle.h"

namespace datagen {

Canvas makeBoardCursor()
{
    Canvas c(256, 256);
    Box box = fullBox(c);
    Sdf frame = outline(roundRect(128, 128, 116, 116, 22), 10);
    c.glow(frame, {1, 0.95f, 0.4f, 0.8f}, 10, box);
    c.fill(frame, verticalGradient(0, {1, 1, 0.75f, 1}, 256, {1, 0.75f, 0.2f, 1}), box);
    c.fill(outline(roundRect(128, 128, 116, 116, 22), 2), solid({0.2f, 0.1f, 0, 1}), box);
    // Corner notches: the cursor reads even over a yellow block.
    const Point corners[4] = {{20, 20}, {236, 20}, {20, 236}, {236, 236}};
    for (const Point& p : corners) c.fill(circle(p.x, p.y, 9), solid({0.05f, 0.05f, 0.1f, 1}), box);
    return c;
}

static TextStyle heading(int size)
{
    TextStyle s;
    s.size = size;
    s.tracking = size / 8;
    s.fill = verticalGradient(0, {1, 1, 1, 1}, 1024, {0.55f, 0.88f, 1, 1});
    s.outline = 3;
    s.glowRadius = 3;
    s.glowColour = {0.25f, 0.6f, 1, 0.8f};
    return s;
}

Canvas makePauseCover(const Fonts& fonts)
{
    Canvas c(1024, 1024);
    Box box = fullBox(c);
    c.fill(roundRect(512, 512, 520, 520, 1),
           verticalGradient(0, {0.03f, 0.04f, 0.11f, 1}, 1024, {0.06f, 0.03f, 0.12f, 1}), box);
    Sdf band = roundRect(512, 500, 400, 170, 30);
    c.glow(band, {0.25f, 0.6f, 1, 0.5f}, 10, box);
    c.fill(band, verticalGradient(330, {0.08f, 0.1f, 0.24f, 1}, 670, {0.03f, 0.03f, 0.09f, 1}), box);
    c.fill(outline(band, 3), solid({0.3f, 0.8f, 1, 1}), box);
    drawTextCentred(c, fonts.sans, "PAUSED", 512, 490, heading(110));
    TextStyle line = heading(30);
    line.outline = 2;
    line.glowRadius = 1;
    drawTextCentred(c, fonts.sans, "P, PAUSE, START OR SPACE", 512, 570, line);
    drawTextCentred(c, fonts.sans, "TO PLAY ON", 512, 615, line);
    return c;
}

static void drawVolumePanel(Canvas& c, const Fonts& fonts, int top, const char* label)
{
    Box box = fullBox(c);
    Sdf panel = roundRect(256, float(top) + 64, 246, 56, 20);
    c.glow(panel, {0.25f, 0.6f, 1, 0.5f}, 6, box);
    c.fill(panel,
           verticalGradient(float(top), {0.07f, 0.09f, 0.22f, 0.95f}, float(top) + 128, {0.02f, 0.02f, 0.07f, 0.95f}),
           box);
    c.fill(outline(panel, 3), solid({0.3f, 0.8f, 1, 1}), box);
    TextStyle style = heading(28);
    style.tracking = 2;
    drawText(c, fonts.sans, label, 28, top + 76, style);
}

Canvas makeVolumeSheet(const Fonts& fonts)
{
    Canvas c(512, 512);
    Box box = fullBox(c);
    drawVolumePanel(c, fonts, 0, "VOLUME");
    for (int i = 0; i < 10; ++i)
        c.fill(outline(roundRect(212.0f + 28.0f * float(i), 72, 10, 30, 4), 2), solid({0.4f, 0.6f, 0.9f, 1}), box);
    drawVolumePanel(c, fonts, 128, "MUTED");
    c.fill(roundRect(12, 288, 10, 30, 4), verticalGradient(258, {0.6f, 1, 0.7f, 1}, 318, {0.1f, 0.75f, 0.4f, 1}), box);
    return c;
}

}  // namespace datagen
