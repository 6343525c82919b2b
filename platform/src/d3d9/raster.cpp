// raster.cpp — the three drawing roads of the rasteriser (1:1 rectangles,
// scaled rectangles, general triangles) and the sampling and stage-0
// arithmetic they share. Coverage is decided in exact integer arithmetic on
// vertices snapped to 1/256 pixel; texel positions are carried in 32.32
// fixed point; bilinear weights have 15 bits, computed with SSE2 where the
// CPU has it and in portable code otherwise, with equal results.
#include "d3d9/raster.h"

#include "d3d9/blend_kernels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace layer::d3d {

namespace {

constexpr int64_t SubPixels = 256;
constexpr double FixedOne = 4294967296.0;
constexpr float VertexLimit = 32768.0f;
constexpr double TexelLimit = 16777216.0;

bool snap(float value, int64_t& snapped)
{
    if (!std::isfinite(value) || std::fabs(value) > VertexLimit) return false;
    snapped = std::llround(static_cast<double>(value) * SubPixels);
    return true;
}

int64_t floorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

int64_t ceilDiv(int64_t a, int64_t b) { return -floorDiv(-a, b); }

bool texelRange(double t) { return std::fabs(t) < TexelLimit; }

int64_t toFixed(double t) { return std::llround(t * FixedOne); }

uint64_t spreadRedBlue(uint32_t t) { return (t & 0xFF) | (static_cast<uint64_t>((t >> 16) & 0xFF) << 32); }
uint64_t spreadAlphaGreen(uint32_t t) { return ((t >> 8) & 0xFF) | (static_cast<uint64_t>(t >> 24) << 32); }

// The four texel weights of a bilinear sample, in 1/32768, summing to
// exactly 32768, from the fractions fx (right texel) and fy (lower row). Only
// fx = fy = 0 gives a weight of 32768, which the callers never multiply.
struct Weights {
    uint32_t w00, w10, w01, w11;
};

inline Weights weights(uint32_t fx, uint32_t fy)
{
    uint32_t w11 = (fx * fy + 16384) >> 15;
    return {32768 - fx - fy + w11, fx - w11, fy - w11, w11};
}

// Portable: two channels at a time in the 32-bit halves of a 64-bit sum.
inline uint32_t bilinearScalar(uint32_t t00, uint32_t t10, uint32_t t01, uint32_t t11, Weights w)
{
    const uint64_t redBlue = spreadRedBlue(t00) * w.w00 + spreadRedBlue(t10) * w.w10 + spreadRedBlue(t01) * w.w01 +
                             spreadRedBlue(t11) * w.w11 + 0x0000400000004000u;
    const uint64_t alphaGreen = spreadAlphaGreen(t00) * w.w00 + spreadAlphaGreen(t10) * w.w10 +
                                spreadAlphaGreen(t01) * w.w01 + spreadAlphaGreen(t11) * w.w11 + 0x0000400000004000u;
    return static_cast<uint32_t>(((redBlue >> 15) & 0xFF) | ((alphaGreen >> 7) & 0xFF00) |
                                 ((redBlue >> 31) & 0xFF0000) | ((alphaGreen >> 23) & 0xFF000000u));
}

inline uint32_t bilinear(uint32_t t00, uint32_t t10, uint32_t t01, uint32_t t11, uint32_t fx, uint32_t fy)
{
    if (fx == 0 && fy == 0) return t00;
    return bilinearScalar(t00, t10, t01, t11, weights(fx, fy));
}

#if defined(__SSE2__)
// Four bilinear samples at once with SSE2's multiply-add on 16-bit lanes:
// the same sums as bilinearScalar, bit for bit. A weight of 32768 (fx = fy =
// 0) does not fit a signed 16-bit lane; 32767 gives the same result, since
// (t × 32767 + 16384) >> 15 = t for every t up to 255.
inline __m128i bilinear4(__m128i t00, __m128i t10, __m128i t01, __m128i t11, __m128i fx, __m128i fy)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i w11 = _mm_srli_epi32(_mm_add_epi32(_mm_madd_epi16(fx, fy), _mm_set1_epi32(16384)), 15);
    __m128i w10 = _mm_sub_epi32(fx, w11);
    __m128i w01 = _mm_sub_epi32(fy, w11);
    __m128i w00 = _mm_add_epi32(_mm_sub_epi32(_mm_set1_epi32(32768), _mm_add_epi32(fx, fy)), w11);
    w00 = _mm_sub_epi32(w00, _mm_srli_epi32(w00, 15));
    const __m128i upperWeights = _mm_or_si128(w00, _mm_slli_epi32(w10, 16));
    const __m128i lowerWeights = _mm_or_si128(w01, _mm_slli_epi32(w11, 16));
    const __m128i top[2] = {_mm_unpacklo_epi8(t00, zero), _mm_unpackhi_epi8(t00, zero)};
    const __m128i topRight[2] = {_mm_unpacklo_epi8(t10, zero), _mm_unpackhi_epi8(t10, zero)};
    const __m128i bottom[2] = {_mm_unpacklo_epi8(t01, zero), _mm_unpackhi_epi8(t01, zero)};
    const __m128i bottomRight[2] = {_mm_unpacklo_epi8(t11, zero), _mm_unpackhi_epi8(t11, zero)};
    const __m128i round = _mm_set1_epi32(16384);
    __m128i sums[4];
    for (int h = 0; h < 2; ++h) {
        __m128i upper[2] = {_mm_unpacklo_epi16(top[h], topRight[h]), _mm_unpackhi_epi16(top[h], topRight[h])};
        __m128i lower[2] = {_mm_unpacklo_epi16(bottom[h], bottomRight[h]),
                            _mm_unpackhi_epi16(bottom[h], bottomRight[h])};
        for (int k = 0; k < 2; ++k) {
            __m128i wu, wl;
            if (h == 0 && k == 0) {
                wu = _mm_shuffle_epi32(upperWeights, 0x00);
                wl = _mm_shuffle_epi32(lowerWeights, 0x00);
            } else if (h == 0) {
                wu = _mm_shuffle_epi32(upperWeights, 0x55);
                wl = _mm_shuffle_epi32(lowerWeights, 0x55);
            } else if (k == 0) {
                wu = _mm_shuffle_epi32(upperWeights, 0xAA);
                wl = _mm_shuffle_epi32(lowerWeights, 0xAA);
            } else {
                wu = _mm_shuffle_epi32(upperWeights, 0xFF);
                wl = _mm_shuffle_epi32(lowerWeights, 0xFF);
            }
            __m128i sum = _mm_add_epi32(_mm_madd_epi16(upper[k], wu), _mm_madd_epi16(lower[k], wl));
            sums[h * 2 + k] = _mm_srli_epi32(_mm_add_epi32(sum, round), 15);
        }
    }
    return _mm_packus_epi16(_mm_packs_epi32(sums[0], sums[1]), _mm_packs_epi32(sums[2], sums[3]));
}
#endif

// One bilinear sample per pixel of a span: fetch(t00, t10, t01, t11, fx, fy)
// gives the texels and fractions of the pixels in order.
template <class Fetch> void filterSpan(uint32_t* out, int count, Fetch fetch)
{
    int i = 0;
#if defined(__SSE2__)
    if (!portableKernels()) {
        for (; i + 4 <= count; i += 4) {
            uint32_t t[4][4], f[2][4];
            for (int k = 0; k < 4; ++k) fetch(t[0][k], t[1][k], t[2][k], t[3][k], f[0][k], f[1][k]);
            auto load = [](const uint32_t* p) {
                return _mm_set_epi32(static_cast<int>(p[3]), static_cast<int>(p[2]), static_cast<int>(p[1]),
                                     static_cast<int>(p[0]));
            };
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                             bilinear4(load(t[0]), load(t[1]), load(t[2]), load(t[3]), load(f[0]), load(f[1])));
        }
    }
#endif
    for (; i < count; ++i) {
        uint32_t t00, t10, t01, t11, fx, fy;
        fetch(t00, t10, t01, t11, fx, fy);
        out[i] = bilinear(t00, t10, t01, t11, fx, fy);
    }
}

// The 15-bit fraction of a 32.32 texel position.
uint32_t weightOf(int64_t fixed) { return static_cast<uint32_t>(fixed >> 17) & 0x7FFF; }
int64_t nearestTexel(int64_t fixed) { return (fixed + (int64_t{1} << 31)) >> 32; }

uint32_t modulateChannel(uint32_t a, uint32_t b, int shift)
{
    return divide255(((a >> shift) & 0xFF) * ((b >> shift) & 0xFF)) << shift;
}

uint32_t stageResult(StageSource source, uint32_t texel, uint32_t diffuse, uint32_t mask, int firstShift, int lastShift)
{
    if (source == StageSource::Texture) return texel & mask;
    if (source == StageSource::Diffuse) return diffuse & mask;
    uint32_t out = 0;
    for (int shift = firstShift; shift <= lastShift; shift += 8) out |= modulateChannel(texel, diffuse, shift);
    return out;
}

uint32_t combine(const RasterState& state, uint32_t texel, uint32_t diffuse)
{
    return stageResult(state.colour, texel, diffuse, 0x00FFFFFFu, 0, 16) |
           stageResult(state.alpha, texel, diffuse, 0xFF000000u, 24, 24);
}

// True when the stage result is the texel itself for this vertex colour.
bool textureOnly(const RasterState& state, uint32_t diffuse)
{
    bool colour = state.colour == StageSource::Texture ||
                  (state.colour == StageSource::Product && (diffuse & 0x00FFFFFFu) == 0x00FFFFFFu);
    bool alpha =
        state.alpha == StageSource::Texture || (state.alpha == StageSource::Product && (diffuse >> 24) == 0xFF);
    return colour && alpha;
}

uint32_t clampChannel(double value)
{
    if (!(value > 0.0)) return 0;
    if (value >= 255.0) return 255;
    return static_cast<uint32_t>(std::lround(value));
}

}  // namespace

void Rasteriser::finishRow(uint32_t* destination, const RasterState& state, int count, const uint32_t* diffuse,
                           uint32_t flatDiffuse)
{
    if (diffuse) {
        for (int i = 0; i < count; ++i) row_[i] = combine(state, row_[i], diffuse[i]);
    } else if (!textureOnly(state, flatDiffuse)) {
        for (int i = 0; i < count; ++i) row_[i] = combine(state, row_[i], flatDiffuse);
    }
    if (state.alphaBlend) blendRow(destination, row_.data(), count);
    else std::memcpy(destination, row_.data(), static_cast<size_t>(count) * sizeof(uint32_t));
}

void Rasteriser::copyTexelSpan(uint32_t* destination, const RasterState& state, int row, int first, int count)
{
    const TexelImage& image = state.image;
    const uint32_t* texels = image.texels + static_cast<size_t>(row) * image.width;
    const TexelRun* runsBegin = image.runs + image.rowRuns[row];
    const TexelRun* runsEnd = image.runs + image.rowRuns[row + 1];
    while (count > 0) {
        int chunk = std::min(count, image.width - first);
        if (!state.alphaBlend) {
            std::memcpy(destination, texels + first, static_cast<size_t>(chunk) * sizeof(uint32_t));
        } else {
            const TexelRun* run =
                std::partition_point(runsBegin, runsEnd, [first](const TexelRun& r) { return r.end <= first; });
            for (; run != runsEnd && run->begin < first + chunk; ++run) {
                int begin = std::max<int>(run->begin, first);
                int end = std::min<int>(run->end, first + chunk);
                uint32_t* out = destination + (begin - first);
                if (run->kind == RunKind::Opaque)
                    std::memcpy(out, texels + begin, static_cast<size_t>(end - begin) * sizeof(uint32_t));
                else if (run->kind == RunKind::Mixed) blendRow(out, texels + begin, end - begin);
            }
        }
        destination += chunk;
        count -= chunk;
        first = 0;
    }
}

bool Rasteriser::formsRectangle(const SpriteVertex* v)
{
    int64_t x[4], y[4];
    for (int i = 0; i < 4; ++i)
        if (!snap(v[i].x, x[i]) || !snap(v[i].y, y[i])) return false;
    if (x[0] != x[2] || x[1] != x[3] || y[0] != y[1] || y[2] != y[3] || x[0] >= x[1] || y[0] >= y[2]) return false;
    if (v[0].u != v[2].u || v[1].u != v[3].u || v[0].v != v[1].v || v[2].v != v[3].v) return false;
    uint32_t diffuse = v[0].diffuse;
    return v[1].diffuse == diffuse && v[2].diffuse == diffuse && v[3].diffuse == diffuse;
}

// What drawRectangle works out once per rectangle: the snapped corners, the
// texel coordinates of its edges, the pixels to write and the scale.
struct Rasteriser::RectangleSetup {
    int64_t x[4], y[4];
    uint32_t diffuse;
    double u0, u1, v0, v1;
    int64_t anchorLeft, anchorTop;
    int64_t left, top, right, bottom;
    int width;
    double scaleX, scaleY;
    bool linear;

    double texelX(int64_t px) const
    {
        return u0 + (static_cast<double>(px * SubPixels - x[0])) * (u1 - u0) / (x[1] - x[0]);
    }
    double texelY(int64_t py) const
    {
        return v0 + (static_cast<double>(py * SubPixels - y[0])) * (v1 - v0) / (y[2] - y[0]);
    }
};

namespace {

// Snaps the corners and finds the pixels to write; false when there are none
// or the texel coordinates lie outside the supported range.
bool setUpRectangle(Rasteriser::RectangleSetup& r, const RasterState& state, const SpriteVertex* v,
                    const PixelBox& scissor)
{
    int64_t* x = r.x;
    int64_t* y = r.y;
    for (int i = 0; i < 4; ++i) {
        snap(v[i].x, x[i]);
        snap(v[i].y, y[i]);
    }
    r.diffuse = v[0].diffuse;

    const TexelImage& image = state.image;
    r.u0 = static_cast<double>(v[0].u) * image.width - 0.5;
    r.u1 = static_cast<double>(v[1].u) * image.width - 0.5;
    r.v0 = static_cast<double>(v[0].v) * image.height - 0.5;
    r.v1 = static_cast<double>(v[2].v) * image.height - 0.5;
    if (!texelRange(r.u0) || !texelRange(r.u1) || !texelRange(r.v0) || !texelRange(r.v1)) return false;

    // The first pixel inside the viewport anchors the 1:1 texel walk, so the
    // scissor only chooses which of the same pixels are written.
    r.anchorLeft = std::max<int64_t>(ceilDiv(x[0], SubPixels), state.clip.left);
    r.anchorTop = std::max<int64_t>(ceilDiv(y[0], SubPixels), state.clip.top);
    r.left = std::max<int64_t>(r.anchorLeft, scissor.left);
    r.top = std::max<int64_t>(r.anchorTop, scissor.top);
    r.right = std::min<int64_t>({ceilDiv(x[1], SubPixels), state.clip.right, scissor.right});
    r.bottom = std::min<int64_t>({ceilDiv(y[2], SubPixels), state.clip.bottom, scissor.bottom});
    if (r.left >= r.right || r.top >= r.bottom) return false;
    r.width = static_cast<int>(r.right - r.left);

    r.scaleX = (r.u1 - r.u0) * SubPixels / static_cast<double>(x[1] - x[0]);
    r.scaleY = (r.v1 - r.v0) * SubPixels / static_cast<double>(y[2] - y[0]);
    r.linear = std::max(std::fabs(r.scaleX), std::fabs(r.scaleY)) <= 1.0 ? state.linearMagnify : state.linearMinify;
    return true;
}

}  // namespace

bool Rasteriser::copyRectangle(const RenderTarget& target, const RasterState& state, const RectangleSetup& r)
{
    if (r.scaleX != 1.0 || r.scaleY != 1.0 || !textureOnly(state, r.diffuse)) return false;
    double firstX = r.texelX(r.anchorLeft);
    double firstY = r.texelY(r.anchorTop);
    if (!r.linear) {
        firstX = std::floor(firstX + 0.5);
        firstY = std::floor(firstY + 0.5);
    }
    if (firstX != std::floor(firstX) || firstY != std::floor(firstY)) return false;
    const TexelImage& image = state.image;
    const int64_t widthMask = image.width - 1;
    const int64_t heightMask = image.height - 1;
    int64_t column = (static_cast<int64_t>(firstX) + (r.left - r.anchorLeft)) & widthMask;
    int64_t row = static_cast<int64_t>(firstY) + (r.top - r.anchorTop);
    for (int64_t py = r.top; py < r.bottom; ++py, ++row) {
        uint32_t* destination = target.pixels + py * target.width + r.left;
        copyTexelSpan(destination, state, static_cast<int>(row & heightMask), static_cast<int>(column), r.width);
    }
    return true;
}

void Rasteriser::placeRectangleColumns(const RectangleSetup& r)
{
    const int width = r.width;
    row_.resize(width);
    columnTexel_.resize(width);
    columnWeight_.resize(width);
    for (int i = 0; i < width; ++i) {
        int64_t fixed = toFixed(r.texelX(r.left + i));
        columnTexel_[i] = static_cast<int32_t>(r.linear ? fixed >> 32 : nearestTexel(fixed));
        columnWeight_[i] = weightOf(fixed);
    }
}

void Rasteriser::filterRectangle(const RenderTarget& target, const RasterState& state, const RectangleSetup& r)
{
    placeRectangleColumns(r);
    const TexelImage& image = state.image;
    const int width = r.width;
    const int64_t widthMask = image.width - 1;
    const int64_t heightMask = image.height - 1;
    for (int64_t py = r.top; py < r.bottom; ++py) {
        int64_t fixed = toFixed(r.texelY(py));
        if (r.linear) {
            int64_t texelRow = fixed >> 32;
            const uint32_t* upper = image.texels + (texelRow & heightMask) * image.width;
            const uint32_t* lower = image.texels + ((texelRow + 1) & heightMask) * image.width;
            uint32_t weight = weightOf(fixed);
            const int32_t* const columns = columnTexel_.data();
            const uint32_t* const columnWeights = columnWeight_.data();
            int i = 0;
            filterSpan(row_.data(), width,
                       [&](uint32_t& t00, uint32_t& t10, uint32_t& t01, uint32_t& t11, uint32_t& fx, uint32_t& fy) {
                int64_t c0 = columns[i] & widthMask;
                int64_t c1 = (columns[i] + 1) & widthMask;
                t00 = upper[c0];
                t10 = upper[c1];
                t01 = lower[c0];
                t11 = lower[c1];
                fx = columnWeights[i];
                fy = weight;
                ++i;
            });
        } else {
            const uint32_t* texels = image.texels + (nearestTexel(fixed) & heightMask) * image.width;
            for (int i = 0; i < width; ++i) row_[i] = texels[columnTexel_[i] & widthMask];
        }
        finishRow(target.pixels + py * target.width + r.left, state, width, nullptr, r.diffuse);
    }
}

void Rasteriser::drawRectangle(const RenderTarget& target, const RasterState& state, const SpriteVertex* v,
                               const PixelBox& scissor)
{
    RectangleSetup r;
    if (!setUpRectangle(r, state, v, scissor)) return;
    if (copyRectangle(target, state, r)) return;
    filterRectangle(target, state, r);
}

// What drawTriangle works out once per triangle: the snapped vertices in
// clockwise order, the texel coordinates and their gradients, the colour
// gradients of a shaded triangle and the fill rule's bias of each edge.
struct Rasteriser::TriangleSetup {
    int64_t x[3], y[3];
    double px[3], py[3], tu[3], tv[3];
    double duDx, duDy, dvDx, dvDy;
    int64_t stepU, stepV;
    bool linear;
    bool flat;
    double colour[4][3], colourDx[4], colourDy[4];
    bool bias[3];
};

namespace {

// Snaps and orders the vertices and works out the gradients; false when the
// triangle covers nothing or lies outside the supported range.
bool setUpTriangle(Rasteriser::TriangleSetup& t, const RasterState& state, const SpriteVertex& a, const SpriteVertex& b,
                   const SpriteVertex& c)
{
    const SpriteVertex* v[3] = {&a, &b, &c};
    int64_t* x = t.x;
    int64_t* y = t.y;
    for (int i = 0; i < 3; ++i)
        if (!snap(v[i]->x, x[i]) || !snap(v[i]->y, y[i])) return false;
    int64_t area = (x[1] - x[0]) * (y[2] - y[0]) - (y[1] - y[0]) * (x[2] - x[0]);
    if (area == 0) return false;
    if (area < 0) {
        std::swap(v[1], v[2]);
        std::swap(x[1], x[2]);
        std::swap(y[1], y[2]);
        area = -area;
    }

    const TexelImage& image = state.image;
    double* px = t.px;
    double* py = t.py;
    for (int i = 0; i < 3; ++i) {
        px[i] = static_cast<double>(x[i]) / SubPixels;
        py[i] = static_cast<double>(y[i]) / SubPixels;
        t.tu[i] = static_cast<double>(v[i]->u) * image.width - 0.5;
        t.tv[i] = static_cast<double>(v[i]->v) * image.height - 0.5;
        if (!texelRange(t.tu[i]) || !texelRange(t.tv[i])) return false;
    }
    double det = static_cast<double>(area) / (SubPixels * SubPixels);
    auto gradientX = [&](const double* f) {
        return ((f[1] - f[0]) * (py[2] - py[0]) - (f[2] - f[0]) * (py[1] - py[0])) / det;
    };
    auto gradientY = [&](const double* f) {
        return ((f[2] - f[0]) * (px[1] - px[0]) - (f[1] - f[0]) * (px[2] - px[0])) / det;
    };
    t.duDx = gradientX(t.tu);
    t.duDy = gradientY(t.tu);
    t.dvDx = gradientX(t.tv);
    t.dvDy = gradientY(t.tv);
    double footprint = std::max(std::hypot(t.duDx, t.dvDx), std::hypot(t.duDy, t.dvDy));
    t.linear = footprint <= 1.0 ? state.linearMagnify : state.linearMinify;
    t.stepU = toFixed(t.duDx);
    t.stepV = toFixed(t.dvDx);

    t.flat = a.diffuse == b.diffuse && a.diffuse == c.diffuse;
    for (int channel = 0; channel < 4; ++channel) {
        t.colourDx[channel] = 0;
        t.colourDy[channel] = 0;
    }
    if (!t.flat) {
        for (int channel = 0; channel < 4; ++channel) {
            for (int i = 0; i < 3; ++i) t.colour[channel][i] = (v[i]->diffuse >> (8 * channel)) & 0xFF;
            t.colourDx[channel] = gradientX(t.colour[channel]);
            t.colourDy[channel] = gradientY(t.colour[channel]);
        }
    }

    for (int i = 0; i < 3; ++i) {
        int j = (i + 1) % 3;
        bool topLeft = (y[i] == y[j] && x[j] > x[i]) || (y[j] < y[i]);
        t.bias[i] = !topLeft;
    }
    return true;
}

// Walks the three edges across one pixel row: first and last are the
// covered pixels within the viewport (first > last when there are none).
void coveredSpan(const Rasteriser::TriangleSetup& t, const RasterState& state, int64_t row, int64_t& first,
                 int64_t& last)
{
    const int64_t* x = t.x;
    const int64_t* y = t.y;
    int64_t centreY = row * SubPixels;
    first = state.clip.left;
    last = state.clip.right - 1;
    for (int i = 0; i < 3 && first <= last; ++i) {
        int j = (i + 1) % 3;
        int64_t dy = y[j] - y[i];
        int64_t constant = (x[j] - x[i]) * (centreY - y[i]) + dy * x[i] - (t.bias[i] ? 1 : 0);
        if (dy == 0) {
            if (constant < 0) first = last + 1;
        } else if (dy > 0) {
            last = std::min(last, floorDiv(constant, SubPixels * dy));
        } else {
            first = std::max(first, ceilDiv(-constant, -SubPixels * dy));
        }
    }
}

}  // namespace

void Rasteriser::sampleTriangleSpan(const TriangleSetup& t, const TexelImage& image, int count, int64_t texelU,
                                    int64_t texelV)
{
    const int64_t widthMask = image.width - 1;
    const int64_t heightMask = image.height - 1;
    const int64_t stepU = t.stepU, stepV = t.stepV;
    if (t.linear) {
        const uint32_t* const texels = image.texels;
        const int64_t pitch = image.width;
        int64_t u = texelU, v = texelV;
        filterSpan(row_.data(), count,
                   [&](uint32_t& t00, uint32_t& t10, uint32_t& t01, uint32_t& t11, uint32_t& fx, uint32_t& fy) {
            int64_t column = u >> 32;
            int64_t texelRow = v >> 32;
            const uint32_t* upper = texels + (texelRow & heightMask) * pitch;
            const uint32_t* lower = texels + ((texelRow + 1) & heightMask) * pitch;
            int64_t c0 = column & widthMask;
            int64_t c1 = (column + 1) & widthMask;
            t00 = upper[c0];
            t10 = upper[c1];
            t01 = lower[c0];
            t11 = lower[c1];
            fx = weightOf(u);
            fy = weightOf(v);
            u += stepU;
            v += stepV;
        });
    } else {
        for (int i = 0; i < count; ++i, texelU += stepU, texelV += stepV)
            row_[i] =
                image.texels[(nearestTexel(texelV) & heightMask) * image.width + (nearestTexel(texelU) & widthMask)];
    }
}

const uint32_t* Rasteriser::shadeTriangleSpan(const TriangleSetup& t, int count, double offsetX, double offsetY,
                                              int64_t skipped)
{
    if (t.flat) return nullptr;
    rowDiffuse_.resize(count);
    for (int i = 0; i < count; ++i) {
        uint32_t packed = 0;
        for (int channel = 0; channel < 4; ++channel) {
            double value =
                t.colour[channel][0] + t.colourDx[channel] * (offsetX + (skipped + i)) + t.colourDy[channel] * offsetY;
            packed |= clampChannel(value) << (8 * channel);
        }
        rowDiffuse_[i] = packed;
    }
    return rowDiffuse_.data();
}

void Rasteriser::drawTriangle(const RenderTarget& target, const RasterState& state, const SpriteVertex& a,
                              const SpriteVertex& b, const SpriteVertex& c, const PixelBox& scissor)
{
    TriangleSetup t;
    if (!setUpTriangle(t, state, a, b, c)) return;
    const int64_t* y = t.y;
    int64_t top = std::max<int64_t>({ceilDiv(std::min({y[0], y[1], y[2]}), SubPixels), state.clip.top, scissor.top});
    int64_t bottom =
        std::min<int64_t>({floorDiv(std::max({y[0], y[1], y[2]}), SubPixels) + 1, state.clip.bottom, scissor.bottom});

    for (int64_t row = top; row < bottom; ++row) {
        int64_t first, last;
        coveredSpan(t, state, row, first, last);
        if (first > last) continue;
        // The span's first pixel inside the viewport anchors the stepped
        // texel walk; the scissor only skips steps, in whole steps.
        int64_t anchor = first;
        first = std::max<int64_t>(first, scissor.left);
        last = std::min<int64_t>(last, scissor.right - 1);
        if (first > last) continue;
        int count = static_cast<int>(last - first + 1);
        int64_t skipped = first - anchor;
        row_.resize(count);
        double offsetX = static_cast<double>(anchor) - t.px[0];
        double offsetY = static_cast<double>(row) - t.py[0];
        int64_t texelU = toFixed(t.tu[0] + t.duDx * offsetX + t.duDy * offsetY) + skipped * t.stepU;
        int64_t texelV = toFixed(t.tv[0] + t.dvDx * offsetX + t.dvDy * offsetY) + skipped * t.stepV;
        sampleTriangleSpan(t, state.image, count, texelU, texelV);
        const uint32_t* diffuse = shadeTriangleSpan(t, count, offsetX, offsetY, skipped);
        finishRow(target.pixels + row * target.width + first, state, count, diffuse, a.diffuse);
    }
}

}  // namespace layer::d3d
