// device.cpp — the device's life, states, scene bracket, clearing,
// presentation and reset. Drawing is in device_draw.cpp.
#include "d3d9/device.h"

#include "d3d9/diagnostics.h"
#include "d3d9/texture.h"

#include <algorithm>
#include <cstring>

namespace layer::d3d {

namespace {

constexpr UINT LargestBackBuffer = 4096;

DWORD floatBits(float value)
{
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

Device::Device(IDirect3D9* parent, HWND window, const D3DPRESENT_PARAMETERS& parameters)
    : parent_(parent), window_(window), parameters_(parameters), presenter_(host::current().openPresenter())
{
    parent_->AddRef();
    createBackBuffer(parameters);
    setDefaultStates();
}

Device::~Device()
{
    for (IDirect3DBaseTexture9*& texture : textures_)
        if (texture) {
            texture->Release();
            texture = nullptr;
        }
    parent_->Release();
}

void Device::released(ULONG left) { logCall("Release(IDirect3DDevice9) = %u", left); }

void Device::resourceCreated(D3DPOOL pool)
{
    if (pool == D3DPOOL_DEFAULT) ++defaultPoolResources_;
}

void Device::resourceDestroyed(D3DPOOL pool)
{
    if (pool == D3DPOOL_DEFAULT) --defaultPoolResources_;
}

bool Device::createBackBuffer(const D3DPRESENT_PARAMETERS& parameters)
{
    if (parameters.BackBufferWidth == 0 || parameters.BackBufferHeight == 0 ||
        parameters.BackBufferWidth > LargestBackBuffer || parameters.BackBufferHeight > LargestBackBuffer)
        return false;
    width_ = static_cast<int>(parameters.BackBufferWidth);
    height_ = static_cast<int>(parameters.BackBufferHeight);
    backBuffer_.assign(static_cast<size_t>(width_) * height_, 0);
    frame_.discard();
    frame_.forgetShown();
    presentWhole_ = true;
    hasDepth_ = parameters.EnableAutoDepthStencil != FALSE;
    depthLow_ = depthHigh_ = 1.0f;
    return true;
}

// Direct3D 9's documented defaults for a new or reset device.
void Device::setDefaultStates()
{
    renderStates_.fill(0);
    renderStates_[D3DRS_ZENABLE] = hasDepth_ ? D3DZB_TRUE : D3DZB_FALSE;
    renderStates_[D3DRS_FILLMODE] = D3DFILL_SOLID;
    renderStates_[D3DRS_SHADEMODE] = D3DSHADE_GOURAUD;
    renderStates_[D3DRS_ZWRITEENABLE] = TRUE;
    renderStates_[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    renderStates_[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
    renderStates_[D3DRS_CULLMODE] = D3DCULL_CCW;
    renderStates_[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
    renderStates_[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
    renderStates_[D3DRS_FOGSTART] = floatBits(0.0f);
    renderStates_[D3DRS_FOGEND] = floatBits(1.0f);
    renderStates_[D3DRS_LIGHTING] = TRUE;
    renderStates_[D3DRS_MULTISAMPLEANTIALIAS] = TRUE;
    renderStates_[D3DRS_BLENDOP] = D3DBLENDOP_ADD;
    for (int stage = 0; stage < StageCount; ++stage) {
        std::array<DWORD, StageStateCount>& s = stageStates_[stage];
        s.fill(0);
        s[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        s[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        s[D3DTSS_COLORARG2] = D3DTA_CURRENT;
        s[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        s[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        s[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        std::array<DWORD, SamplerStateCount>& sampler = samplerStates_[stage];
        sampler.fill(0);
        sampler[D3DSAMP_ADDRESSU] = D3DTADDRESS_WRAP;
        sampler[D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
        sampler[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
        sampler[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
        sampler[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
    }
    viewport_ = D3DVIEWPORT9{0, 0, static_cast<DWORD>(width_), static_cast<DWORD>(height_), 0.0f, 1.0f};
    view_ = D3DMATRIX{};
    projection_ = D3DMATRIX{};
    for (int i = 0; i < 4; ++i) view_.m[i][i] = projection_.m[i][i] = 1.0f;
    lights_.clear();
    fvf_ = 0;
}

HRESULT Device::Reset(D3DPRESENT_PARAMETERS* parameters)
{
    logCall("Reset");
    if (!parameters) return D3DERR_INVALIDCALL;
    // Windows refuses a reset while default-pool resources exist.
    if (defaultPoolResources_ > 0) return D3DERR_INVALIDCALL;
    if (parameters->BackBufferFormat == D3DFMT_UNKNOWN) parameters->BackBufferFormat = D3DFMT_X8R8G8B8;
    if (parameters->BackBufferCount == 0) parameters->BackBufferCount = 1;
    if (!createBackBuffer(*parameters)) return D3DERR_INVALIDCALL;
    parameters_ = *parameters;
    if (parameters->hDeviceWindow) window_ = parameters->hDeviceWindow;
    for (int stage = 0; stage < StageCount; ++stage) SetTexture(stage, nullptr);
    setDefaultStates();
    inScene_ = false;
    return D3D_OK;
}

HRESULT Device::Present(const RECT* sourceRect, const RECT* destRect, HWND destWindowOverride,
                        const RGNDATA* dirtyRegion)
{
    logCall("Present(%s, %s, %s, %s)", sourceRect ? "rect" : "NULL", destRect ? "rect" : "NULL",
            destWindowOverride ? "window" : "NULL", dirtyRegion ? "region" : "NULL");
    if (sourceRect || dirtyRegion)
        traceOnce("Present: source rectangles and regions are ignored; the whole back buffer is shown\n");
    if (!presented_) {
        presented_ = true;
        if (prefetch_) prefetch_->finish();
    }
    finishFrame();
    return presentFrame(destWindowOverride ? destWindowOverride : window_, destRect);
}

bool Device::startupImage(const std::string& path, const std::vector<uint8_t>& bytes, DecodedImage& image)
{
    if (presented_) return false;
    if (!prefetch_) prefetch_ = std::make_unique<TexturePrefetch>(path);
    return prefetch_->take(path, bytes, image);
}

HRESULT Device::BeginScene()
{
    logCall("BeginScene");
    if (inScene_) return D3DERR_INVALIDCALL;
    inScene_ = true;
    return D3D_OK;
}

HRESULT Device::EndScene()
{
    logCall("EndScene");
    if (!inScene_) return D3DERR_INVALIDCALL;
    inScene_ = false;
    return D3D_OK;
}

HRESULT Device::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil)
{
    logCall("Clear(%u, %s, %u, 0x%08X, %g, %u)", count, rects ? "rects" : "NULL", flags, color, z, stencil);
    if ((count > 0 && !rects) || (flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL) && !hasDepth_) ||
        (flags & D3DCLEAR_STENCIL) || !(z >= 0.0f && z <= 1.0f))
        return D3DERR_INVALIDCALL;
    LONG left = static_cast<LONG>(viewport_.X), top = static_cast<LONG>(viewport_.Y);
    LONG right = left + static_cast<LONG>(viewport_.Width), bottom = top + static_cast<LONG>(viewport_.Height);
    D3DRECT whole{left, top, right, bottom};
    const D3DRECT* areas = count > 0 ? rects : &whole;
    DWORD areaCount = count > 0 ? count : 1;
    bool wholeBuffer = count == 0 && left == 0 && top == 0 && right == width_ && bottom == height_;
    for (DWORD i = 0; i < areaCount; ++i) {
        LONG x1 = std::max(areas[i].x1, left), y1 = std::max(areas[i].y1, top);
        LONG x2 = std::min(areas[i].x2, right), y2 = std::min(areas[i].y2, bottom);
        if (x1 >= x2 || y1 >= y2) continue;
        if (flags & D3DCLEAR_TARGET)
            frame_.clear(
                PixelBox{static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2), static_cast<int>(y2)},
                color);
        if (flags & D3DCLEAR_ZBUFFER) {
            depthLow_ = wholeBuffer ? z : std::min(depthLow_, z);
            depthHigh_ = wholeBuffer ? z : std::max(depthHigh_, z);
        }
    }
    return D3D_OK;
}

HRESULT Device::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix)
{
    if (!matrix) return D3DERR_INVALIDCALL;
    const D3DMATRIX& m = *matrix;
    logCall("SetTransform(%d, [%g %g %g %g; %g %g %g %g; %g %g %g %g; %g %g %g %g])", static_cast<int>(state), m._11,
            m._12, m._13, m._14, m._21, m._22, m._23, m._24, m._31, m._32, m._33, m._34, m._41, m._42, m._43, m._44);
    if (state == D3DTS_VIEW) view_ = m;
    else if (state == D3DTS_PROJECTION) projection_ = m;
    else return D3DERR_INVALIDCALL;
    return D3D_OK;
}

HRESULT Device::SetViewport(const D3DVIEWPORT9* viewport)
{
    if (!viewport) return D3DERR_INVALIDCALL;
    const D3DVIEWPORT9& v = *viewport;
    logCall("SetViewport(%u, %u, %u, %u, %g, %g)", v.X, v.Y, v.Width, v.Height, v.MinZ, v.MaxZ);
    if (v.Width == 0 || v.Height == 0 || uint64_t{v.X} + v.Width > static_cast<uint64_t>(width_) ||
        uint64_t{v.Y} + v.Height > static_cast<uint64_t>(height_) || !(v.MinZ >= 0.0f && v.MinZ <= v.MaxZ) ||
        !(v.MaxZ <= 1.0f))
        return D3DERR_INVALIDCALL;
    viewport_ = v;
    return D3D_OK;
}

HRESULT Device::SetLight(DWORD index, const D3DLIGHT9* light)
{
    if (!light) return D3DERR_INVALIDCALL;
    logCall("SetLight(%u, type %d, diffuse %g %g %g %g, direction %g %g %g)", index, static_cast<int>(light->Type),
            light->Diffuse.r, light->Diffuse.g, light->Diffuse.b, light->Diffuse.a, light->Direction.x,
            light->Direction.y, light->Direction.z);
    if (light->Type < D3DLIGHT_POINT || light->Type > D3DLIGHT_DIRECTIONAL) return D3DERR_INVALIDCALL;
    lights_[index].light = *light;
    return D3D_OK;
}

HRESULT Device::LightEnable(DWORD index, BOOL enable)
{
    logCall("LightEnable(%u, %d)", index, enable);
    LightSlot& slot = lights_[index];
    if (slot.light.Type == 0) {
        // Enabling a light never set gives Direct3D's default light: white,
        // directional, pointing along +z.
        slot.light.Type = D3DLIGHT_DIRECTIONAL;
        slot.light.Diffuse = D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 0.0f};
        slot.light.Direction = D3DVECTOR{0.0f, 0.0f, 1.0f};
    }
    slot.enabled = enable != FALSE;
    return D3D_OK;
}

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE state, DWORD value)
{
    logCall("SetRenderState(%d, %u)", static_cast<int>(state), value);
    if (static_cast<DWORD>(state) >= RenderStateCount) return D3DERR_INVALIDCALL;
    renderStates_[state] = value;
    return D3D_OK;
}

HRESULT Device::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture)
{
    logCall("SetTexture(%u, %s)", stage, texture ? "texture" : "NULL");
    if (stage >= StageCount) return D3DERR_INVALIDCALL;
    if (texture && !dynamic_cast<Texture*>(texture)) return D3DERR_INVALIDCALL;
    if (texture) texture->AddRef();
    if (textures_[stage]) textures_[stage]->Release();
    textures_[stage] = texture;
    return D3D_OK;
}

HRESULT Device::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value)
{
    logCall("SetTextureStageState(%u, %d, %u)", stage, static_cast<int>(type), value);
    if (stage >= StageCount || static_cast<DWORD>(type) >= StageStateCount) return D3DERR_INVALIDCALL;
    stageStates_[stage][type] = value;
    return D3D_OK;
}

HRESULT Device::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value)
{
    logCall("SetSamplerState(%u, %d, %u)", sampler, static_cast<int>(type), value);
    if (sampler >= StageCount || static_cast<DWORD>(type) >= SamplerStateCount) return D3DERR_INVALIDCALL;
    samplerStates_[sampler][type] = value;
    return D3D_OK;
}

HRESULT Device::SetFVF(DWORD fvf)
{
    logCall("SetFVF(0x%X)", fvf);
    fvf_ = fvf;
    return D3D_OK;
}

}  // namespace layer::d3d
