// png_writer.h — writes 8-bit RGBA pixels to a PNG file with libpng; used by
// test mode to save captured frames.
#pragma once

#include <cstdint>

namespace layer::d3d {

bool writePngFile(const char* path, int width, int height, const uint8_t* rgba);

}  // namespace layer::d3d
