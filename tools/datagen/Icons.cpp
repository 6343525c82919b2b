// Icons: the gravity arrow (points up at angle 0; drawn at half size and
// turned by the game), the colour-change icon (the five colours in their
// stepping order around a mouse with its left button lit) and the desktop
// icon.
#include <cmath>
#include <numbers>

#include "Art.h"
#include "Shapes.h"

namespace datagen {

Canvas makeArrow() {
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

Canvas makeColourChange() {
  Canvas c(256, 256);
  Box box = fullBox(c);
  const float pi = std::numbers::pi_v<float>;
  // The cycle ring with arrowheads between the colours, turning clockwise.
  c.fill(ring(128, 128, 92, 6), solid({0.55f, 0.70f, 1, 0.9f}), box);
  for (int v = 1; v <= 5; ++v) {
    float a = (float(v) - 0.5f) * 2 * pi / 5;
    float x = 128 + std::sin(a) * 92, y = 128 - std::cos(a) * 92;
    float fx = std::cos(a), fy = std::sin(a);  // clockwise tangent
    Sdf tip = polygon({{x + fx * 12, y + fy * 12}, {x - fx * 8 - fy * 11, y - fy * 8 + fx * 11},
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

Canvas makeGameIcon() {
  Canvas c(256, 256);
  Box box = fullBox(c);
  Sdf plate = roundRect(128, 128, 124, 124, 40);
  c.fill(plate, verticalGradient(0, {0.10f, 0.12f, 0.26f, 1}, 256, {0.03f, 0.03f, 0.09f, 1}), box);
  c.fill(outline(grow(plate, -3), 4), [](float x, float y) {
    return mix({0.20f, 0.85f, 1, 1}, {0.70f, 0.40f, 1, 1}, (x + y) / 512.0f);
  }, box);
  const int values[4] = {1, 3, 4, 6};
  for (int i = 0; i < 4; ++i) drawPiece(c, values[i], 20.0f + float(i % 2) * 110, 20.0f + float(i / 2) * 110, 106);
  return c;
}

}  // namespace datagen
