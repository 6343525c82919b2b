// Mask: coverage grid with outline growth and glow blur.
#include "Mask.h"

#include <algorithm>
#include <cmath>

namespace datagen {

Mask::Mask(int width, int height) : w(width), h(height), v(size_t(width) * height, 0.0f) {}

void Mask::add(int x, int y, float coverage)
{
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    float& c = v[size_t(y) * w + x];
    c = std::min(1.0f, c + coverage);
}

Mask Mask::grown(float radius) const
{
    Mask out(w, h);
    int r = int(std::ceil(radius));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float best = 0;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                    // Soft disc edge keeps the outline anti-aliased.
                    float edge = std::clamp(radius + 0.5f - std::sqrt(float(dx * dx + dy * dy)), 0.0f, 1.0f);
                    best = std::max(best, at(nx, ny) * edge);
                }
            out.v[size_t(y) * w + x] = best;
        }
    return out;
}

static void boxPass(std::vector<float>& data, int w, int h, int radius, bool horizontal)
{
    std::vector<float> out(data.size());
    int len = horizontal ? w : h, lines = horizontal ? h : w;
    float norm = 1.0f / float(2 * radius + 1);
    for (int line = 0; line < lines; ++line) {
        auto idx = [&](int i) { return horizontal ? size_t(line) * w + i : size_t(i) * w + line; };
        float sum = 0;
        for (int i = -radius; i <= radius; ++i)
            if (i >= 0 && i < len) sum += data[idx(i)];
        for (int i = 0; i < len; ++i) {
            out[idx(i)] = sum * norm;
            int add = i + radius + 1, drop = i - radius;
            if (add < len) sum += data[idx(add)];
            if (drop >= 0) sum -= data[idx(drop)];
        }
    }
    data.swap(out);
}

Mask Mask::blurred(int radius) const
{
    Mask out = *this;
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(out.v, w, h, radius, true);
        boxPass(out.v, w, h, radius, false);
    }
    return out;
}

}  // namespace datagen
