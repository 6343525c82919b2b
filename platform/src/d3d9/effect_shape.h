// effect_shape.h — how many floats a parameter holds, worked out from its
// declared type and array sizes: scalars, vectors and matrices of bool, int,
// uint, dword, half, float and double (also vector<T, N> and matrix<T, R, C>),
// through typedefs. Array sizes are integer literals, object-like #define
// values or static const integers; any other size leaves the array's length
// open. Textures, samplers, strings, shaders and structs hold no floats.
// Internal to platform/src/d3d9.
#pragma once

#include "effect_parser.h"

#include <cstddef>

namespace layer::fx {

struct ValueShape {
    bool numeric = false;
    size_t floats = 0;  // 0 with numeric: an array whose length is not known
};

ValueShape valueShape(const Parameter& parameter, const EffectSource& source);

}  // namespace layer::fx
