// reference_raster.h — the expected images of the rasteriser tests, computed
// the slow, obvious way: every pixel centre of a quad's bounding box tested
// against the two strip triangles (vertices snapped to 1/256 pixel, top-left
// fill rule), texture coordinates interpolated in double precision, exact
// bilinear filtering with wrap addressing rounded to 8 bits, then straight
// alpha blending rounded to nearest.
#pragma once

#include "graphics_fixture.h"

#include <cstdint>
#include <vector>

struct ReferenceVertex {
    double x, y, u, v;
};

// Renders the strip quad v[0..3] with texture over frame (0x00RRGGBB pixels,
// width × height).
void referenceQuad(std::vector<uint32_t>& frame, int width, int height, const ReferenceVertex (&v)[4],
                   const TestImage& texture);

// The quad orvSprite::Draw sends for a texture of textureW × textureH.
void spriteQuad(ReferenceVertex (&v)[4], int textureW, int textureH, int dstX, int dstY, int dstW, int dstH, int srcX,
                int srcY, int srcW, int srcH);
// The same quad turned by angle about the destination's centre.
void turnQuad(ReferenceVertex (&v)[4], int dstX, int dstY, int dstW, int dstH, double angle);

// The largest difference of any channel between two frames.
int largestDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b);
