// Board: the frame laid over the 4 x 4 board. Fully clear inside the cells
// so the blocks show untouched; a neon border, a cell grid in the gaps the
// blocks leave, and small studs where the grid lines cross.
#include "Art.h"
#include "Shapes.h"

namespace datagen {

Canvas makeBoardFrame()
{
    Canvas c(1024, 1024);
    Box all = fullBox(c);
    const Rgba line = {0.45f, 0.70f, 1.0f, 1};
    for (int k = 1; k < 4; ++k) {
        float at = 256.0f * float(k);
        Sdf vertical = roundRect(at, 512, 1.5f, 500, 1.5f), horizontal = roundRect(512, at, 500, 1.5f, 1.5f);
        Box nearVertical = {int(at) - 16, 0, int(at) + 16, 1024},
            nearHorizontal = {0, int(at) - 16, 1024, int(at) + 16};
        c.glow(vertical, withAlpha(line, 0.45f), 9, nearVertical);
        c.glow(horizontal, withAlpha(line, 0.45f), 9, nearHorizontal);
        c.fill(vertical, solid(withAlpha(line, 0.85f)), nearVertical);
        c.fill(horizontal, solid(withAlpha(line, 0.85f)), nearHorizontal);
    }
    // Border: a bevelled band along the outer edge with a glow toward the board.
    Sdf inside = roundRect(512, 512, 505, 505, 14);
    Sdf band = subtract(roundRect(512, 512, 530, 530, 0.001f), inside);
    c.glow(grow(band, 0), {0.35f, 0.65f, 1, 0.5f}, 12, all);
    c.fill(
        band,
        [](float x, float y) {
        return mix({0.20f, 0.85f, 1, 1}, {0.70f, 0.40f, 1, 1}, (x + y) / 2048.0f);
        },
        all);
    c.fill(outline(inside, 2), solid({0.90f, 0.97f, 1, 0.9f}), all);
    // Studs at the inner crossings and corner marks on the border.
    for (int i = 1; i < 4; ++i)
        for (int j = 1; j < 4; ++j) {
            float x = 256.0f * float(i), y = 256.0f * float(j);
            Sdf stud = star(x, y, 4, 11, 4);
            Box near = {int(x) - 24, int(y) - 24, int(x) + 24, int(y) + 24};
            c.glow(stud, {0.5f, 0.85f, 1, 0.7f}, 10, near);
            c.fill(stud, solid({0.92f, 0.98f, 1, 1}), near);
        }
    for (int i = 1; i < 4; ++i) {
        float at = 256.0f * float(i);
        for (auto [x, y] : {Point{at, 4}, Point{at, 1020}, Point{4, at}, Point{1020, at}}) {
            Sdf notch = circle(x, y, 4.5f);
            Box near = {int(x) - 12, int(y) - 12, int(x) + 12, int(y) + 12};
            c.fill(notch, solid({0.95f, 1, 1, 1}), near);
        }
    }
    return c;
}

}  // namespace datagen
