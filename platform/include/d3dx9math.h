// d3dx9math.h — the D3DX 9 math the camera uses: D3DXVECTOR3, D3DXMATRIX,
// D3DX_PI and the inline vector helpers (cross product, dot product, length),
// which the SDK also defines inline.
#pragma once

#include <cmath>

#include "d3d9types.h"

#define D3DX_PI ((FLOAT)3.141592654f)

struct D3DXVECTOR3 : D3DVECTOR {
    D3DXVECTOR3() = default;
    D3DXVECTOR3(FLOAT fx, FLOAT fy, FLOAT fz) : D3DVECTOR{fx, fy, fz} {}
};

struct D3DXMATRIX : D3DMATRIX {};

inline D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b)
{
    D3DXVECTOR3 v(a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z, a->x * b->y - a->y * b->x);
    *out = v;
    return out;
}

inline FLOAT D3DXVec3Dot(const D3DXVECTOR3* a, const D3DXVECTOR3* b) { return a->x * b->x + a->y * b->y + a->z * b->z; }

inline FLOAT D3DXVec3Length(const D3DXVECTOR3* v) { return std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z); }
