// Shapes: signed distance functions and their combinations.
#include "Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace datagen {

Sdf circle(float cx, float cy, float r)
{
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

Sdf ring(float cx, float cy, float r, float thickness)
{
    return [=](float x, float y) { return std::fabs(std::hypot(x - cx, y - cy) - r) - thickness * 0.5f; };
}

Sdf roundRect(float cx, float cy, float halfW, float halfH, float radius)
{
    return [=](float x, float y) {
        float qx = std::fabs(x - cx) - halfW + radius, qy = std::fabs(y - cy) - halfH + radius;
        float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        return outside + std::min(std::max(qx, qy), 0.0f) - radius;
    };
}

Sdf polygon(std::vector<Point> v)
{
    return [v = std::move(v)](float x, float y) {
        float d = (x - v[0].x) * (x - v[0].x) + (y - v[0].y) * (y - v[0].y);
        float sign = 1;
        for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
            float ex = v[j].x - v[i].x, ey = v[j].y - v[i].y;
            float wx = x - v[i].x, wy = y - v[i].y;
            float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
            float bx = wx - ex * t, by = wy - ey * t;
            d = std::min(d, bx * bx + by * by);
            bool c1 = y >= v[i].y, c2 = y<v[j].y, c3 = ex * wy> ey * wx;
            if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) sign = -sign;
        }
        return sign * std::sqrt(d);
    };
}

Sdf star(float cx, float cy, int points, float outer, float inner)
{
    std::vector<Point> corners;
    for (int i = 0; i < points * 2; ++i) {
        float angle = float(i) * std::numbers::pi_v<float> / float(points);
        float r = (i % 2 == 0) ? outer : inner;
        corners.push_back({cx + r * std::sin(angle), cy - r * std::cos(angle)});
    }
    return polygon(std::move(corners));
}

Sdf unite(Sdf a, Sdf b)
{
    return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}
Sdf subtract(Sdf a, Sdf cut)
{
    return [=](float x, float y) { return std::max(a(x, y), -cut(x, y)); };
}
Sdf intersect(Sdf a, Sdf b)
{
    return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}
Sdf grow(Sdf a, float by)
{
    return [=](float x, float y) { return a(x, y) - by; };
}
Sdf outline(Sdf a, float width)
{
    return [=](float x, float y) { return std::fabs(a(x, y)) - width * 0.5f; };
}
Sdf moved(Sdf a, float dx, float dy)
{
    return [=](float x, float y) { return a(x - dx, y - dy); };
}

}  // namespace datagen
