// Shapes: signed distance functions (pixels, negative inside) for the art's
// geometry, and the operations that combine them. Exact for circles, boxes
// and polygons; unions and offsets are the usual approximations, good enough
// for one-pixel anti-aliasing and soft glows.
// Depends on: Canvas.h for the Sdf type.
#pragma once

#include <vector>

#include "Canvas.h"

namespace datagen {

struct Point {
    float x, y;
};

Sdf circle(float cx, float cy, float r);
Sdf ring(float cx, float cy, float r, float thickness);
Sdf roundRect(float cx, float cy, float halfW, float halfH, float radius);
Sdf polygon(std::vector<Point> corners);
// A star of `points` tips between radii `outer` and `inner`, tip 0 pointing up.
Sdf star(float cx, float cy, int points, float outer, float inner);

Sdf unite(Sdf a, Sdf b);
Sdf subtract(Sdf a, Sdf cut);
Sdf intersect(Sdf a, Sdf b);
Sdf grow(Sdf a, float by);        // negative shrinks; rounds corners outward
Sdf outline(Sdf a, float width);  // a band of `width` centred on the edge
Sdf moved(Sdf a, float dx, float dy);

}  // namespace datagen
