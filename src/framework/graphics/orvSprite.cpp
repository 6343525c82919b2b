// orvSprite.cpp — the sprite's vertices: left and top edges on whole pixels,
// right and bottom edges half a pixel inside, texture coordinates from half a
// texel inside to the texel edge, so a quad of the source's size maps texels
// onto pixels one to one. Every draw sets its blend states and texture.
#include "framework/graphics/orvSprite.h"

#include "framework/graphics/orvGraphics.h"
#include "framework/graphics/orvTexture.h"

#include <cmath>

namespace {

struct SpriteVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse;
    float u, v;
};
static_assert(sizeof(SpriteVertex) == 28);

constexpr DWORD SpriteFVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr D3DCOLOR OpaqueWhite = 0xFFFFFFFF;

void quad(SpriteVertex (&v)[4], const orvSprite& sprite, int dstX, int dstY, int dstW, int dstH, int srcX, int srcY,
          int srcW, int srcH, float depth)
{
    const float w = static_cast<float>(sprite.width);
    const float h = static_cast<float>(sprite.height);
    const float left = static_cast<float>(dstX);
    const float top = static_cast<float>(dstY);
    const float right = static_cast<float>(dstX + dstW) - 0.5f;
    const float bottom = static_cast<float>(dstY + dstH) - 0.5f;
    const float u0 = (static_cast<float>(srcX) + 0.5f) / w;
    const float u1 = static_cast<float>(srcX + srcW) / w;
    const float v0 = (static_cast<float>(srcY) + 0.5f) / h;
    const float v1 = static_cast<float>(srcY + srcH) / h;
    v[0] = {left, top, depth, 1.0f, OpaqueWhite, u0, v0};
    v[1] = {right, top, depth, 1.0f, OpaqueWhite, u1, v0};
    v[2] = {left, bottom, depth, 1.0f, OpaqueWhite, u0, v1};
    v[3] = {right, bottom, depth, 1.0f, OpaqueWhite, u1, v1};
}

void submit(const orvSprite& sprite, const SpriteVertex (&v)[4])
{
    Device->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
    Device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    Device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    Device->SetRenderState(D3DRS_FOGENABLE, TRUE);
    Device->SetRenderState(D3DRS_LIGHTING, TRUE);
    Device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    Device->SetTexture(0, sprite.texture);
    Device->SetFVF(SpriteFVF);
    Device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(SpriteVertex));
}

}  // namespace

orvSprite::orvSprite(const char* fileName) : width(0), height(0), surface(nullptr), texture(nullptr)
{
    texture = orvTexture::Load(fileName);
    if (!texture) return;
    D3DSURFACE_DESC desc;
    if (SUCCEEDED(texture->GetLevelDesc(0, &desc))) {
        width = desc.Width;
        height = desc.Height;
    }
    texture->GetSurfaceLevel(0, &surface);
}

orvSprite::~orvSprite()
{
    if (surface) surface->Release();
    if (texture) orvTexture::Release(texture);
}

void orvSprite::Draw(int dstX, int dstY, int dstW, int dstH, int srcX, int srcY, int srcW, int srcH, float depth)
{
    // Without a texture the coordinates would divide by a zero size.
    if (!texture || !Device) return;
    SpriteVertex v[4];
    quad(v, *this, dstX, dstY, dstW, dstH, srcX, srcY, srcW, srcH, depth);
    submit(*this, v);
}

void orvSprite::DrawRotated(int dstX, int dstY, int dstW, int dstH, int srcX, int srcW, int srcH, float angle)
{
    if (!texture || !Device) return;
    SpriteVertex v[4];
    quad(v, *this, dstX, dstY, dstW, dstH, srcX, 0, srcW, srcH, 0.0f);
    const float cx = static_cast<float>(dstX) + static_cast<float>(dstW) * 0.5f;
    const float cy = static_cast<float>(dstY) + static_cast<float>(dstH) * 0.5f;
    const float s = static_cast<float>(std::sin(static_cast<double>(angle)));
    const float c = static_cast<float>(std::cos(static_cast<double>(angle)));
    for (SpriteVertex& vertex : v) {
        const float dx = vertex.x - cx;
        const float dy = vertex.y - cy;
        vertex.x = dx * c - dy * s + cx;
        vertex.y = dx * s + dy * c + cy;
    }
    submit(*this, v);
}
