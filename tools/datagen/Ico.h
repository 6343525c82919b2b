// Ico: encodes pictures as one Windows icon file (.ico), the form a Windows
// program's icon resource takes and the platform layer reads its window icon
// from. Pictures below 256 pixels go in as 32-bit bitmaps with their AND
// mask, which every Windows reads; a 256-pixel one as PNG, as Windows Vista
// and later expect. Square pictures of 1..256 pixels only.
// Depends on: Canvas, Png.
#pragma once

#include <cstdint>
#include <vector>

#include "Canvas.h"

namespace datagen {

std::vector<uint8_t> encodeIco(const std::vector<Canvas>& pictures);

}  // namespace datagen
