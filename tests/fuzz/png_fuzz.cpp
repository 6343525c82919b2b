// png_fuzz.cpp — libFuzzer target for the PNG path of texture creation: any
// bytes are either decoded into an image no larger than the largest texture,
// then stretched to powers of two, or refused with a reason.
#include "platform/src/d3d9/png_image.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    layer::d3d::DecodedImage image;
    std::string error;
    if (!layer::d3d::decodePng(data, size, image, error)) {
        if (error.empty() || !image.texels.empty()) __builtin_trap();
        return 0;
    }
    if (image.width == 0 || image.height == 0 || image.width > layer::d3d::LargestTextureSide ||
        image.height > layer::d3d::LargestTextureSide ||
        image.texels.size() != static_cast<size_t>(image.width) * image.height)
        __builtin_trap();
    const uint32_t width = layer::d3d::nextPowerOfTwo(image.width);
    const uint32_t height = layer::d3d::nextPowerOfTwo(image.height);
    if (layer::d3d::stretchPoint(std::move(image), width, height).size() != static_cast<size_t>(width) * height)
        __builtin_trap();
    return 0;
}
