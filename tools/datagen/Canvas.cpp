// Canvas: float RGBA painting with anti-aliased signed-distance shapes.
#include "Canvas.h"

#include <algorithm>
#include <cmath>

#include "Mask.h"

namespace datagen {

Rgba mix(const Rgba& a, const Rgba& b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba withAlpha(const Rgba& c, float a) { return {c.r, c.g, c.b, a}; }

Rgba hsv(float hue, float saturation, float value)
{
    float h6 = (hue - std::floor(hue)) * 6.0f;
    auto channel = [&](float n) {
        float k = std::fmod(n + h6, 6.0f);
        return value - value * saturation * std::clamp(std::min(k, 4.0f - k), 0.0f, 1.0f);
    };
    return {channel(5), channel(3), channel(1), 1};
}

Paint solid(const Rgba& c)
{
    return [c](float, float) { return c; };
}

Paint verticalGradient(float y0, const Rgba& c0, float y1, const Rgba& c1)
{
    return [=](float, float y) { return mix(c0, c1, std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f)); };
}

Box fullBox(const Canvas& c) { return {0, 0, c.width(), c.height()}; }

Canvas::Canvas(int width, int height) : w(width), h(height), px(size_t(width) * height * 4, 0.0f) {}

void Canvas::blend(int x, int y, const Rgba& c, float coverage)
{
    float a = std::clamp(c.a * coverage, 0.0f, 1.0f);
    if (a <= 0) return;
    float* p = &px[(size_t(y) * w + x) * 4];
    float keep = 1 - a;
    p[0] = c.r * a + p[0] * keep;
    p[1] = c.g * a + p[1] * keep;
    p[2] = c.b * a + p[2] * keep;
    p[3] = a + p[3] * keep;
}

static Box clip(Box b, int w, int h)
{
    return {std::max(b.x0, 0), std::max(b.y0, 0), std::min(b.x1, w), std::min(b.y1, h)};
}

void Canvas::fill(const Sdf& shape, const Paint& paint, Box area)
{
    area = clip(area, w, h);
    for (int y = area.y0; y < area.y1; ++y)
        for (int x = area.x0; x < area.x1; ++x) {
            float cx = x + 0.5f, cy = y + 0.5f;
            float coverage = std::clamp(0.5f - shape(cx, cy), 0.0f, 1.0f);
            if (coverage > 0) blend(x, y, paint(cx, cy), coverage);
        }
}

void Canvas::glow(const Sdf& shape, const Rgba& colour, float radius, Box area)
{
    area = clip(area, w, h);
    for (int y = area.y0; y < area.y1; ++y)
        for (int x = area.x0; x < area.x1; ++x) {
            float d = shape(x + 0.5f, y + 0.5f);
            if (d <= -0.5f || d >= radius) continue;
            float t = 1 - std::max(d, 0.0f) / radius;
            float outside = std::clamp(d + 0.5f, 0.0f, 1.0f);
            blend(x, y, colour, t * t * outside);
        }
}

void Canvas::fillMask(const Mask& mask, int x, int y, const Paint& paint)
{
    for (int my = 0; my < mask.height(); ++my)
        for (int mx = 0; mx < mask.width(); ++mx) {
            int tx = x + mx, ty = y + my;
            float coverage = mask.at(mx, my);
            if (coverage <= 0 || tx < 0 || ty < 0 || tx >= w || ty >= h) continue;
            blend(tx, ty, paint(tx + 0.5f, ty + 0.5f), coverage);
        }
}

void Canvas::copy(const Canvas& from, Box area, int x, int y)
{
    area = clip(area, from.w, from.h);
    for (int sy = area.y0; sy < area.y1; ++sy)
        for (int sx = area.x0; sx < area.x1; ++sx) {
            const int tx = x + sx - area.x0, ty = y + sy - area.y0;
            if (tx < 0 || ty < 0 || tx >= w || ty >= h) continue;
            std::copy_n(&from.px[(size_t(sy) * from.w + sx) * 4], 4, &px[(size_t(ty) * w + tx) * 4]);
        }
}

Rgba Canvas::at(int x, int y) const
{
    const float* p = &px[(size_t(y) * w + x) * 4];
    if (p[3] <= 0) return {0, 0, 0, 0};
    return {p[0] / p[3], p[1] / p[3], p[2] / p[3], p[3]};
}

static uint8_t toByte(float v) { return uint8_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

std::vector<uint8_t> Canvas::toRgba8() const
{
    std::vector<uint8_t> out(size_t(w) * h * 4);
    std::vector<uint8_t> known(size_t(w) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Rgba c = at(x, y);
            uint8_t* o = &out[(size_t(y) * w + x) * 4];
            o[0] = toByte(c.r), o[1] = toByte(c.g), o[2] = toByte(c.b), o[3] = toByte(c.a);
            known[size_t(y) * w + x] = o[3] > 0;
        }
    // Bleed visible colours a few texels into the transparent area.
    for (int pass = 0; pass < 4; ++pass) {
        std::vector<uint8_t> next = known;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (known[size_t(y) * w + x]) continue;
                int sum[3] = {0, 0, 0}, count = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h || !known[size_t(ny) * w + nx]) continue;
                        const uint8_t* n = &out[(size_t(ny) * w + nx) * 4];
                        for (int k = 0; k < 3; ++k) sum[k] += n[k];
                        ++count;
                    }
                if (count == 0) continue;
                uint8_t* o = &out[(size_t(y) * w + x) * 4];
                for (int k = 0; k < 3; ++k) o[k] = uint8_t(sum[k] / count);
                next[size_t(y) * w + x] = 1;
            }
        known.swap(next);
    }
    return out;
}

}  // namespace datagen
