// orvCamera.h — eye point and target turned into the left-handed view and
// perspective projection matrices, handed with the viewport to Device.
// Construct only after orvGraphics::Initialize (the defaults read the
// screen size).
#pragma once

#include <d3d9.h>
#include <d3dx9.h>

class orvCamera {
public:
    orvCamera();
    // View from eye, target and up (0, 1, 0); the viewport when its Width is
    // not 0; then the projection and view transforms.
    void Activate();

    D3DMATRIX view;
    D3DMATRIX projection;
    D3DXVECTOR3 eye;
    D3DXVECTOR3 target;
    D3DVIEWPORT9 viewport;
    float fov;
    float nearZ;
    float farZ;
    float aspect;
};
