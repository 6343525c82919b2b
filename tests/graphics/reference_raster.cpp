// reference_raster.cpp — the slow reference rasteriser of the tests.
#include "reference_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

struct Point {
    double x, y;
};

double snap(double value) { return std::nearbyint(value * 256.0) / 256.0; }

double edge(Point a, Point b, Point p) { return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x); }

bool topLeft(Point a, Point b) { return (a.y == b.y && b.x > a.x) || b.y < a.y; }

// Barycentric weights of p in the triangle, or false when not covered.
bool covers(Point a, Point b, Point c, Point p, double (&w)[3])
{
    double area = edge(a, b, c);
    if (area == 0.0) return false;
    if (area < 0.0) {
        std::swap(b, c);
        area = -area;
        bool inside = covers(a, b, c, p, w);
        std::swap(w[1], w[2]);
        return inside;
    }
    double e[3] = {edge(b, c, p), edge(c, a, p), edge(a, b, p)};
    Point from[3] = {b, c, a}, to[3] = {c, a, b};
    for (int i = 0; i < 3; ++i)
        if (e[i] < 0.0 || (e[i] == 0.0 && !topLeft(from[i], to[i]))) return false;
    for (int i = 0; i < 3; ++i) w[i] = e[i] / area;
    return true;
}

double channel(uint32_t pixel, int shift) { return static_cast<double>((pixel >> shift) & 0xFF); }

uint32_t texel(const TestImage& t, long long x, long long y)
{
    long long wx = ((x % t.width) + t.width) % t.width;
    long long wy = ((y % t.height) + t.height) % t.height;
    return t.argb[static_cast<size_t>(wy * t.width + wx)];
}

}  // namespace

void referenceQuad(std::vector<uint32_t>& frame, int width, int height, const ReferenceVertex (&v)[4],
                   const TestImage& texture)
{
    Point p[4];
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (int i = 0; i < 4; ++i) {
        p[i] = {snap(v[i].x), snap(v[i].y)};
        minX = std::min(minX, p[i].x);
        maxX = std::max(maxX, p[i].x);
        minY = std::min(minY, p[i].y);
        maxY = std::max(maxY, p[i].y);
    }
    const int triangles[2][3] = {{0, 1, 2}, {1, 3, 2}};
    for (int y = std::max(0, static_cast<int>(std::floor(minY))); y <= std::min(height - 1, static_cast<int>(maxY));
         ++y)
        for (int x = std::max(0, static_cast<int>(std::floor(minX))); x <= std::min(width - 1, static_cast<int>(maxX));
             ++x) {
            for (const auto& t : triangles) {
                double w[3];
                if (!covers(p[t[0]], p[t[1]], p[t[2]], Point{static_cast<double>(x), static_cast<double>(y)}, w))
                    continue;
                double u = 0.0, vv = 0.0;
                for (int i = 0; i < 3; ++i) {
                    u += w[i] * v[t[i]].u;
                    vv += w[i] * v[t[i]].v;
                }
                double tx = u * texture.width - 0.5, ty = vv * texture.height - 0.5;
                double fx = tx - std::floor(tx), fy = ty - std::floor(ty);
                long long ix = static_cast<long long>(std::floor(tx)), iy = static_cast<long long>(std::floor(ty));
                uint32_t t00 = texel(texture, ix, iy), t10 = texel(texture, ix + 1, iy);
                uint32_t t01 = texel(texture, ix, iy + 1), t11 = texel(texture, ix + 1, iy + 1);
                double s[4];
                for (int c = 0; c < 4; ++c) {
                    int shift = 8 * c;
                    double value = (1 - fy) * ((1 - fx) * channel(t00, shift) + fx * channel(t10, shift)) +
                                   fy * ((1 - fx) * channel(t01, shift) + fx * channel(t11, shift));
                    s[c] = std::nearbyint(value);
                }
                uint32_t& out = frame[static_cast<size_t>(y) * width + x];
                double alpha = s[3] / 255.0;
                uint32_t blended = 0;
                for (int c = 0; c < 3; ++c) {
                    double value = s[c] * alpha + channel(out, 8 * c) * (1.0 - alpha);
                    blended |= static_cast<uint32_t>(std::nearbyint(value)) << (8 * c);
                }
                out = blended;
                break;
            }
        }
}

void spriteQuad(ReferenceVertex (&v)[4], int textureW, int textureH, int dstX, int dstY, int dstW, int dstH, int srcX,
                int srcY, int srcW, int srcH)
{
    double w = textureW, h = textureH;
    double left = dstX, top = dstY, right = (dstX + dstW) - 0.5, bottom = (dstY + dstH) - 0.5;
    double u0 = (srcX + 0.5) / w, u1 = (srcX + srcW) / w, v0 = (srcY + 0.5) / h, v1 = (srcY + srcH) / h;
    v[0] = {left, top, u0, v0};
    v[1] = {right, top, u1, v0};
    v[2] = {left, bottom, u0, v1};
    v[3] = {right, bottom, u1, v1};
}

void turnQuad(ReferenceVertex (&v)[4], int dstX, int dstY, int dstW, int dstH, double angle)
{
    double cx = dstX + dstW * 0.5, cy = dstY + dstH * 0.5;
    float s = static_cast<float>(std::sin(angle)), c = static_cast<float>(std::cos(angle));
    for (ReferenceVertex& vertex : v) {
        float dx = static_cast<float>(vertex.x - cx), dy = static_cast<float>(vertex.y - cy);
        vertex.x = static_cast<float>(dx * c - dy * s + static_cast<float>(cx));
        vertex.y = static_cast<float>(dx * s + dy * c + static_cast<float>(cy));
    }
}

int largestDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    int largest = 0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        for (int shift = 0; shift < 24; shift += 8) {
            int difference =
                std::abs(static_cast<int>((a[i] >> shift) & 0xFF) - static_cast<int>((b[i] >> shift) & 0xFF));
            if (difference > 1 && difference > largest)
                std::printf("pixel %zu (%zu, %zu): %06X vs %06X\n", i, i % 1280, i / 1280, a[i], b[i]);
            largest = std::max(largest, difference);
        }
    return a.size() == b.size() ? largest : 256;
}
