// blend_kernels.h — the row kernel at the heart of the rasteriser: straight
// alpha blending (source × alpha + destination × (1 − alpha)) of a row of
// 0xAARRGGBB source pixels over the back buffer, every channel rounded to
// nearest. Three implementations give bit-identical results: portable scalar
// code, SSE2 and AVX2 (x86-64 only, chosen at run time from the CPU).
#pragma once

#include <cstdint>

namespace layer::d3d {

// x / 255 rounded to nearest, for x in 0..255 × 255.
inline uint32_t divide255(uint32_t x)
{
    uint32_t t = x + 128;
    return (t + (t >> 8)) >> 8;
}

inline uint32_t blendPixel(uint32_t source, uint32_t destination)
{
    uint32_t alpha = source >> 24;
    uint32_t inverse = 255 - alpha;
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        uint32_t s = (source >> shift) & 0xFF;
        uint32_t d = (destination >> shift) & 0xFF;
        out |= divide255(s * alpha + d * inverse) << shift;
    }
    return out;
}

void blendRowScalar(uint32_t* destination, const uint32_t* source, int count);
#if defined(__x86_64__) || defined(__i386__)
void blendRowSse2(uint32_t* destination, const uint32_t* source, int count);
void blendRowAvx2(uint32_t* destination, const uint32_t* source, int count);
#endif

// The fastest kernel this CPU runs, or the scalar one while portable mode is on.
void blendRow(uint32_t* destination, const uint32_t* source, int count);
void setPortableKernels(bool portable);
bool portableKernels();

}  // namespace layer::d3d
