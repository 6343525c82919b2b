// orvCamera.cpp — the camera's matrices, computed by hand so that an eye
// equal to its target yields zero axes instead of a division by zero.
#include "framework/graphics/orvCamera.h"

#include "framework/graphics/orvGraphics.h"

#include <cmath>

namespace {

void normaliseIfLong(D3DXVECTOR3& v)
{
    float length = D3DXVec3Length(&v);
    if (length != 0.0f) {
        v.x /= length;
        v.y /= length;
        v.z /= length;
    }
}

}  // namespace

orvCamera::orvCamera()
    : view(), projection(), eye(),
      target(), viewport{0, 0, static_cast<DWORD>(ScreenWidth), static_cast<DWORD>(ScreenHeight), 0.0f, 1.0f},
      fov(D3DX_PI / 4), nearZ(0.1f), farZ(1000.0f),
      aspect(static_cast<float>(ScreenWidth) / static_cast<float>(ScreenHeight))
{
}

void orvCamera::Activate()
{
    const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
    D3DXVECTOR3 zAxis(target.x - eye.x, target.y - eye.y, target.z - eye.z);
    D3DXVECTOR3 xAxis, yAxis;
    D3DXVec3Cross(&xAxis, &up, &zAxis);
    D3DXVec3Cross(&yAxis, &zAxis, &xAxis);
    normaliseIfLong(xAxis);
    normaliseIfLong(yAxis);
    normaliseIfLong(zAxis);

    view = D3DMATRIX{};
    view._11 = xAxis.x;
    view._12 = yAxis.x;
    view._13 = zAxis.x;
    view._21 = xAxis.y;
    view._22 = yAxis.y;
    view._23 = zAxis.y;
    view._31 = xAxis.z;
    view._32 = yAxis.z;
    view._33 = zAxis.z;
    view._41 = -D3DXVec3Dot(&xAxis, &eye);
    view._42 = -D3DXVec3Dot(&yAxis, &eye);
    view._43 = -D3DXVec3Dot(&zAxis, &eye);
    view._44 = 1.0f;

    if (viewport.Width != 0 && Device) Device->SetViewport(&viewport);

    const float yScale = 1.0f / std::tan(fov * 0.5f);
    const float xScale = yScale / aspect;
    projection = D3DMATRIX{};
    projection._11 = xScale;
    projection._22 = yScale;
    projection._33 = farZ / (farZ - nearZ);
    projection._34 = 1.0f;
    projection._43 = -(nearZ * farZ) / (farZ - nearZ);

    if (Device) {
        Device->SetTransform(D3DTS_PROJECTION, &projection);
        Device->SetTransform(D3DTS_VIEW, &view);
    }
}
