// orvSprite.h — an image loaded through the texture cache with its texture
// size, drawn as a straight or turned quad of pre-transformed vertices in
// back-buffer pixels with alpha blending. A sprite whose file did not load has
// size 0 × 0 and draws nothing. Create after orvGraphics::Initialize and
// destroy before orvGraphics::Shutdown.
#pragma once

#include <d3d9.h>

class orvSprite {
public:
    explicit orvSprite(const char* fileName);
    ~orvSprite();
    orvSprite(const orvSprite&) = delete;
    orvSprite& operator=(const orvSprite&) = delete;

    // The source rectangle (srcX, srcY, srcW, srcH) in texels, stretched over
    // the destination rectangle in pixels, at depth.
    void Draw(int dstX, int dstY, int dstW, int dstH, int srcX, int srcY, int srcW, int srcH, float depth);
    // The same quad with source row 0, turned by angle (radians, clockwise on
    // the screen) about the destination rectangle's centre, at depth 0.
    void DrawRotated(int dstX, int dstY, int dstW, int dstH, int srcX, int srcW, int srcH, float angle);

    UINT width;
    UINT height;
    IDirect3DSurface9* surface;
    IDirect3DTexture9* texture;
};
