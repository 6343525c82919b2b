// raster.h — our own rasteriser for pre-transformed, textured triangles, by
// Direct3D 9's rules: pixel centres on whole coordinates, vertices snapped to
// 1/256 pixel, the top-left fill rule, texture coordinates interpolated
// linearly (every vertex has the same rhw), bilinear or point sampling with
// wrap addressing on power-of-two textures, the stage-0 combination of
// texture and vertex colour, and straight alpha blending or plain writes.
// Three roads, all within 1 per channel of exact float arithmetic:
//   - axis-aligned rectangles mapped 1:1 onto texels: copied row by row,
//     using the texture's run map to skip clear and copy opaque texels;
//   - other axis-aligned rectangles (scaled): filtered with per-column and
//     per-row sample positions;
//   - everything else (turned quads, single triangles): per-row spans with
//     filtered samples stepped in 32.32 fixed point.
// Every pixel's value depends only on the draw and the pixel, never on how
// much of the draw is asked for at once: a draw rasterised within any
// scissor box gives there exactly the pixels of the whole draw, which lets
// the device redraw only the parts of a frame that changed.
// Limits: the caller has done culling and the depth decision; vertices must
// lie within ±32768 pixels and texel coordinates within ±2^24.
#pragma once

#include "d3d9/texture.h"

#include <cstdint>
#include <vector>

namespace layer::d3d {

// The one vertex format the device draws: D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1.
struct SpriteVertex {
    float x, y, z, rhw;
    uint32_t diffuse;
    float u, v;
};
static_assert(sizeof(SpriteVertex) == 28);

// A rectangle of pixels, right and bottom exclusive.
struct PixelBox {
    int left = 0, top = 0, right = 0, bottom = 0;

    bool empty() const { return left >= right || top >= bottom; }
    PixelBox intersect(const PixelBox& other) const
    {
        return {left > other.left ? left : other.left, top > other.top ? top : other.top,
                right < other.right ? right : other.right, bottom < other.bottom ? bottom : other.bottom};
    }
    bool operator==(const PixelBox&) const = default;
};

// Where a stage-0 result (colour or alpha) comes from.
enum class StageSource { Texture, Diffuse, Product };

struct RasterState {
    TexelImage image;  // a 1 × 1 opaque white image when no texture is set
    bool linearMagnify = false;
    bool linearMinify = false;
    StageSource colour = StageSource::Product;
    StageSource alpha = StageSource::Product;
    bool alphaBlend = false;  // false: the stage result is written as it is
    PixelBox clip;            // the viewport within the target
};

struct RenderTarget {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};

class Rasteriser {
public:
    // True when the two strip triangles v[0..3] form an axis-aligned
    // rectangle with matching texture coordinates and one vertex colour,
    // which drawRectangle draws as one quad (others are drawn as triangles).
    static bool formsRectangle(const SpriteVertex* v);
    // Both draw only the pixels inside scissor (and the state's clip).
    void drawRectangle(const RenderTarget& target, const RasterState& state, const SpriteVertex* v,
                       const PixelBox& scissor);
    void drawTriangle(const RenderTarget& target, const RasterState& state, const SpriteVertex& a,
                      const SpriteVertex& b, const SpriteVertex& c, const PixelBox& scissor);

    // What each draw works out once before it writes pixels.
    struct RectangleSetup;
    struct TriangleSetup;

private:
    // drawRectangle's two roads: the 1:1 copy (false when the rectangle is
    // not mapped 1:1 onto whole texels) and the filtered one, whose texel
    // columns are placed once for all rows.
    bool copyRectangle(const RenderTarget& target, const RasterState& state, const RectangleSetup& r);
    void filterRectangle(const RenderTarget& target, const RasterState& state, const RectangleSetup& r);
    void placeRectangleColumns(const RectangleSetup& r);
    // drawTriangle's steps for one row's span: the texels, then the vertex
    // colours (none for a flat triangle); both fill rows of their own.
    void sampleTriangleSpan(const TriangleSetup& t, const TexelImage& image, int count, int64_t texelU, int64_t texelV);
    const uint32_t* shadeTriangleSpan(const TriangleSetup& t, int count, double offsetX, double offsetY,
                                      int64_t skipped);
    void copyTexelSpan(uint32_t* destination, const RasterState& state, int row, int first, int count);
    void finishRow(uint32_t* destination, const RasterState& state, int count, const uint32_t* diffuse,
                   uint32_t flatDiffuse);

    std::vector<uint32_t> row_;
    std::vector<uint32_t> rowDiffuse_;
    std::vector<int32_t> columnTexel_;
    std::vector<uint32_t> columnWeight_;
};

}  // namespace layer::d3d
