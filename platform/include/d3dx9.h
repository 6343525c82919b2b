// d3dx9.h — the D3DX 9 subset the game calls: math types and helpers, texture
// creation from a file, fonts, and (when that part of the layer is present)
// effects. Implemented in platform/src/d3d9/.
#pragma once

#include "d3d9.h"
#include "d3dx9core.h"
#include "d3dx9math.h"
#include "d3dx9tex.h"

#if __has_include("d3dx9effect.h")
#include "d3dx9effect.h"
#endif
