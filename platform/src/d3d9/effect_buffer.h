// effect_buffer.h — the ID3DXBuffer that carries compiler messages: a
// reference-counted block of bytes holding NUL-terminated text.
// Internal to platform/src/d3d9.
#pragma once

#include <d3dx9effect.h>

#include <string_view>

namespace layer::fx {

// A new buffer holding text and its terminating NUL, with one reference.
ID3DXBuffer* createTextBuffer(std::string_view text);

}  // namespace layer::fx
