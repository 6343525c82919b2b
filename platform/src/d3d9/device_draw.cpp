// device_draw.cpp — DrawPrimitiveUP: checks the vertex format, turns the
// device's states into the rasteriser's, decides culling and depth, and hands
// each strip (as one rectangle when it is one) to the rasteriser.
#include "d3d9/device.h"

#include "d3d9/diagnostics.h"
#include "d3d9/texture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace layer::d3d {

namespace {

constexpr DWORD SpriteFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

float asFloat(DWORD bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The stage-0 argument: the texture, or the vertex colour (at stage 0 the
// current colour is the diffuse colour).
bool argumentSource(DWORD argument, StageSource& source)
{
    DWORD selector = argument & 0xF;
    if (selector == D3DTA_TEXTURE) {
        source = StageSource::Texture;
        return true;
    }
    if (selector == D3DTA_DIFFUSE || selector == D3DTA_CURRENT) {
        source = StageSource::Diffuse;
        return true;
    }
    return false;
}

StageSource stageSource(DWORD op, DWORD argument1, DWORD argument2, const char* what)
{
    StageSource first = StageSource::Product, second = StageSource::Product;
    bool known1 = argumentSource(argument1, first);
    bool known2 = argumentSource(argument2, second);
    switch (op) {
    case D3DTOP_DISABLE: return StageSource::Diffuse;
    case D3DTOP_SELECTARG1:
        if (known1) return first;
        break;
    case D3DTOP_SELECTARG2:
        if (known2) return second;
        break;
    case D3DTOP_MODULATE:
        if (known1 && known2 && first != second) return StageSource::Product;
        break;
    default: break;
    }
    traceOnce(what);
    return StageSource::Product;
}

}  // namespace

RasterState Device::rasterState()
{
    RasterState state;

    const std::array<DWORD, SamplerStateCount>& sampler = samplerStates_[0];
    state.linearMagnify = sampler[D3DSAMP_MAGFILTER] >= D3DTEXF_LINEAR;
    state.linearMinify = sampler[D3DSAMP_MINFILTER] >= D3DTEXF_LINEAR;
    if (sampler[D3DSAMP_ADDRESSU] != D3DTADDRESS_WRAP || sampler[D3DSAMP_ADDRESSV] != D3DTADDRESS_WRAP)
        traceOnce("d3d9: only wrap texture addressing is drawn\n");

    const std::array<DWORD, StageStateCount>& stage = stageStates_[0];
    state.colour = stageSource(stage[D3DTSS_COLOROP], stage[D3DTSS_COLORARG1], stage[D3DTSS_COLORARG2],
                               "d3d9: unsupported stage-0 colour operation, drawn as texture x diffuse\n");
    state.alpha = stageSource(stage[D3DTSS_ALPHAOP], stage[D3DTSS_ALPHAARG1], stage[D3DTSS_ALPHAARG2],
                              "d3d9: unsupported stage-0 alpha operation, drawn as texture x diffuse\n");

    if (renderStates_[D3DRS_ALPHABLENDENABLE]) {
        DWORD source = renderStates_[D3DRS_SRCBLEND], destination = renderStates_[D3DRS_DESTBLEND];
        if (source == D3DBLEND_ONE && destination == D3DBLEND_ZERO) {
            state.alphaBlend = false;
        } else {
            state.alphaBlend = true;
            if (source != D3DBLEND_SRCALPHA || destination != D3DBLEND_INVSRCALPHA ||
                renderStates_[D3DRS_BLENDOP] != D3DBLENDOP_ADD)
                traceOnce("d3d9: unsupported blend factors, drawn with straight alpha blending\n");
        }
    }
    if (renderStates_[D3DRS_ALPHATESTENABLE] && renderStates_[D3DRS_ALPHAFUNC] != D3DCMP_ALWAYS)
        traceOnce("d3d9: alpha test functions other than ALWAYS are not applied\n");

    state.clip = PixelBox{static_cast<int>(viewport_.X), static_cast<int>(viewport_.Y),
                          std::min(width_, static_cast<int>(viewport_.X + viewport_.Width)),
                          std::min(height_, static_cast<int>(viewport_.Y + viewport_.Height))};
    return state;
}

// The depth test (LESSEQUAL) decided for the whole draw from the range of
// values the depth buffer holds.
bool Device::depthAllows(const std::vector<SpriteVertex>& vertices)
{
    if (!hasDepth_ || renderStates_[D3DRS_ZENABLE] == D3DZB_FALSE) return true;
    float lowest = vertices[0].z, highest = vertices[0].z;
    for (const SpriteVertex& v : vertices) {
        lowest = std::min(lowest, v.z);
        highest = std::max(highest, v.z);
    }
    DWORD function = renderStates_[D3DRS_ZFUNC];
    bool pass = true;
    if (function == D3DCMP_NEVER) {
        pass = false;
    } else if (function != D3DCMP_ALWAYS) {
        if (function != D3DCMP_LESSEQUAL)
            traceOnce("d3d9: depth functions other than LESSEQUAL are drawn as LESSEQUAL\n");
        if (lowest > depthHigh_) pass = false;
        else if (highest > depthLow_) traceOnce("d3d9: a draw partly behind the depth buffer is drawn whole\n");
    }
    if (pass && renderStates_[D3DRS_ZWRITEENABLE]) {
        depthLow_ = std::min(depthLow_, lowest);
        depthHigh_ = std::max(depthHigh_, highest);
    }
    return pass;
}

void Device::checkFog(const std::vector<SpriteVertex>& vertices)
{
    if (!renderStates_[D3DRS_FOGENABLE] || renderStates_[D3DRS_FOGTABLEMODE] == D3DFOG_NONE) return;
    if (renderStates_[D3DRS_FOGTABLEMODE] != D3DFOG_LINEAR) {
        traceOnce("d3d9: exponential table fog is not drawn\n");
        return;
    }
    float start = asFloat(renderStates_[D3DRS_FOGSTART]), end = asFloat(renderStates_[D3DRS_FOGEND]);
    // Pre-transformed vertices are fogged by eye distance w = 1 / rhw when the
    // projection is perspective, by z otherwise.
    bool eyeDistance = projection_._34 != 0.0f;
    for (const SpriteVertex& v : vertices) {
        float distance = eyeDistance ? 1.0f / v.rhw : v.z;
        bool clear = end > start ? (end - distance) / (end - start) >= 1.0f : distance < start;
        if (!clear) {
            traceOnce("d3d9: a draw reaching into the fog range is drawn without fog\n");
            return;
        }
    }
}

bool Device::culled(const SpriteVertex& a, const SpriteVertex& b, const SpriteVertex& c, bool odd) const
{
    DWORD mode = renderStates_[D3DRS_CULLMODE];
    if (mode == D3DCULL_NONE) return false;
    double area = (static_cast<double>(b.x) - a.x) * (static_cast<double>(c.y) - a.y) -
                  (static_cast<double>(b.y) - a.y) * (static_cast<double>(c.x) - a.x);
    if (odd) area = -area;
    // With y growing downward a positive area is clockwise on the screen.
    return mode == D3DCULL_CCW ? area < 0.0 : area > 0.0;
}

HRESULT Device::DrawPrimitiveUP(D3DPRIMITIVETYPE primitiveType, UINT primitiveCount, const void* vertexStreamZeroData,
                                UINT vertexStreamZeroStride)
{
    if (callLogOn()) {
        std::string vertices;
        const auto* bytes = static_cast<const uint8_t*>(vertexStreamZeroData);
        for (UINT i = 0; bytes && vertexStreamZeroStride >= sizeof(SpriteVertex) && i < primitiveCount + 2; ++i) {
            SpriteVertex v;
            std::memcpy(&v, bytes + static_cast<size_t>(i) * vertexStreamZeroStride, sizeof v);
            char text[160];
            std::snprintf(text, sizeof text, "%s(%g %g %g %g 0x%08X %g %g)", i ? " " : "", v.x, v.y, v.z, v.rhw,
                          v.diffuse, v.u, v.v);
            vertices += text;
        }
        logCall("DrawPrimitiveUP(%d, %u, %s, %u)", static_cast<int>(primitiveType), primitiveCount, vertices.c_str(),
                vertexStreamZeroStride);
    }
    if (!inScene_ || primitiveType != D3DPT_TRIANGLESTRIP || primitiveCount == 0 || !vertexStreamZeroData)
        return D3DERR_INVALIDCALL;
    if (fvf_ != SpriteFormat || vertexStreamZeroStride < sizeof(SpriteVertex)) {
        traceOnce("d3d9: only XYZRHW | DIFFUSE | TEX1 vertices are drawn\n");
        return D3DERR_INVALIDCALL;
    }
    const auto* bytes = static_cast<const uint8_t*>(vertexStreamZeroData);
    vertices_.resize(static_cast<size_t>(primitiveCount) + 2);
    for (size_t i = 0; i < vertices_.size(); ++i)
        std::memcpy(&vertices_[i], bytes + i * vertexStreamZeroStride, sizeof(SpriteVertex));

    for (const SpriteVertex& v : vertices_)
        if (v.rhw != vertices_[0].rhw) {
            traceOnce("d3d9: vertices of differing rhw are textured without perspective correction\n");
            break;
        }
    checkFog(vertices_);
    if (!depthAllows(vertices_)) return D3D_OK;

    RasterState state = rasterState();
    Texture* texture = dynamic_cast<Texture*>(textures_[0]);
    std::shared_ptr<const TexelStore> texels = texture ? texture->contents() : nullptr;
    const SpriteVertex* v = vertices_.data();
    if (primitiveCount == 2 && !culled(v[0], v[1], v[2], false) && !culled(v[1], v[2], v[3], true) &&
        Rasteriser::formsRectangle(v)) {
        frame_.drawRectangle(state, std::move(texels), v);
        return D3D_OK;
    }
    for (UINT i = 0; i < primitiveCount; ++i)
        if (!culled(v[i], v[i + 1], v[i + 2], i % 2 == 1)) frame_.drawTriangle(state, texels, v[i], v[i + 1], v[i + 2]);
    return D3D_OK;
}

// The recorded frame reaches the back buffer: only where it can differ from
// the shown one, unless a full redraw is asked for. While a test has pixel
// work off the frame is dropped, and the next drawn frame is compared with
// the last one drawn.
void Device::finishFrame()
{
    if (!host::current().drawing()) {
        frame_.discard();
        return;
    }
    frame_.finish(RenderTarget{backBuffer_.data(), width_, height_}, fullRedraw());
}

// Only the damaged rectangles go out, unless the screen may not show the
// last presented frame (the first Present, after a reset or a failure).
HRESULT Device::presentFrame(HWND window, const RECT* dest)
{
    std::vector<RECT> damage;
    if (presentWhole_) damage.push_back(RECT{0, 0, width_, height_});
    else
        for (const PixelBox& box : frame_.damage()) damage.push_back(RECT{box.left, box.top, box.right, box.bottom});
    HRESULT result = presenter_->present(window, backBuffer_.data(), width_, height_, damage, dest);
    if (host::current().drawing()) presentWhole_ = FAILED(result);
    if (SUCCEEDED(result)) notePresented();
    return result;
}

}  // namespace layer::d3d
