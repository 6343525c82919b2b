// png_image.h — PNG files decoded into texture texels: any PNG colour type,
// bit depth or interlacing is converted to 8-bit 0xAARRGGBB; images larger
// than the largest texture side are refused from their header, before any
// pixel memory is allocated; truncated or corrupt data fails with a reason.
// Then each side is raised to a power of two with point sampling, as D3DX
// does for textures of default size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace layer::d3d {

constexpr uint32_t LargestTextureSide = 4096;
// The largest image file read at all (whole, by readWholeFile): a compressed
// PNG of the largest texture size is far smaller, so a bigger file is not an
// image a texture can hold and is refused before it fills memory.
constexpr size_t LargestImageFile = size_t{64} << 20;

struct DecodedImage {
    uint32_t width = 0;
    uint32_t height = 0;
    bool hasAlpha = false;
    std::vector<uint32_t> texels;  // width × height, 0xAARRGGBB
};

bool decodePng(const uint8_t* data, size_t size, DecodedImage& image, std::string& error);

uint32_t nextPowerOfTwo(uint32_t value);

// The image resampled to width × height by taking the source texel under
// each destination texel's centre; at the image's own size its texels move
// out unchanged.
std::vector<uint32_t> stretchPoint(DecodedImage&& image, uint32_t width, uint32_t height);

}  // namespace layer::d3d
