// Png: encodes a canvas as an 8-bit RGBA PNG. The bytes depend only on the
// pixels (no time or text chunks), so every run writes identical files.
// Depends on: libpng.
#pragma once

#include <cstdint>
#include <vector>

#include "Canvas.h"

namespace datagen {

std::vector<uint8_t> encodePng(const Canvas& canvas);

}  // namespace datagen
