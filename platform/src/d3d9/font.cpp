// font.cpp — D3DXCreateFontIndirectA: a font object that holds a reference
// to its device. The game creates two fonts and draws no text, so the layer
// renders no glyphs.
#include "d3d9/diagnostics.h"
#include "d3d9/device.h"
#include "win32/com_object.h"

#include <d3dx9.h>

namespace layer::d3d {

namespace {

class Font final : public ComObject<ID3DXFont> {
public:
    explicit Font(IDirect3DDevice9* device) : device_(device) { device_->AddRef(); }

private:
    ~Font() override { device_->Release(); }

    IDirect3DDevice9* device_;
};

}  // namespace

}  // namespace layer::d3d

HRESULT WINAPI D3DXCreateFontIndirectA(LPDIRECT3DDEVICE9 device, const D3DXFONT_DESCA* desc, LPD3DXFONT* font)
{
    if (font) *font = nullptr;
    if (!device || !desc || !font) return D3DERR_INVALIDCALL;
    layer::d3d::logCall("D3DXCreateFontIndirectA(%d, %u, %d, %u)", desc->Height, desc->Width, desc->Italic,
                        desc->CharSet);
    *font = new layer::d3d::Font(device);
    return D3D_OK;
}
