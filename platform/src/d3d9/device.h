// device.h — the layer's IDirect3DDevice9: a windowed device with a 32-bit
// back buffer drawn by our own rasteriser (raster.h) and presented through
// the host's presentation road (the sdl host's window, the headless host's
// capture). Clears and draws are recorded (frame_record.h) and rasterised at
// Present, only where the frame can differ from the one the back buffer
// shows, and only the changed rectangles are presented. It keeps every
// render, texture-stage and sampler state, the transforms, viewport and
// lights it is given; the rasteriser honours those that affect
// pre-transformed vertices.
// Depth is tracked as the range of values the depth buffer holds, which
// decides draws that lie wholly in front of or behind it (the game draws
// every quad at depth 0 over a buffer cleared to 1); fog and perspective
// interpolation are not drawn and are reported once to the debug trace when a
// draw would need them.
#pragma once

#include <d3d9.h>

#include "d3d9/frame_record.h"
#include "d3d9/raster.h"
#include "d3d9/texture_prefetch.h"
#include "host/host.h"
#include "win32/com_object.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace layer::d3d {

class Device final : public ComObject<IDirect3DDevice9> {
public:
    Device(IDirect3D9* parent, HWND window, const D3DPRESENT_PARAMETERS& parameters);

    HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override;
    HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND destWindowOverride,
                    const RGNDATA* dirtyRegion) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
    HRESULT SetViewport(const D3DVIEWPORT9* viewport) override;
    HRESULT SetLight(DWORD index, const D3DLIGHT9* light) override;
    HRESULT LightEnable(DWORD index, BOOL enable) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE primitiveType, UINT primitiveCount, const void* vertexStreamZeroData,
                            UINT vertexStreamZeroStride) override;
    HRESULT SetFVF(DWORD fvf) override;

    // Called by the resources the device creates (textures), which hold a
    // reference to it: Reset refuses while default-pool resources live.
    void resourceCreated(D3DPOOL pool);
    void resourceDestroyed(D3DPOOL pool);
    // Until the first Present: the image of an image file's bytes, when the
    // start-up worker (started by the first such file) decoded it.
    bool startupImage(const std::string& path, const std::vector<uint8_t>& bytes, DecodedImage& image);

private:
    static constexpr int StageCount = 8;
    static constexpr int RenderStateCount = 256;
    static constexpr int StageStateCount = 33;
    static constexpr int SamplerStateCount = 14;

    ~Device() override;
    void released(ULONG left) override;
    bool createBackBuffer(const D3DPRESENT_PARAMETERS& parameters);
    void setDefaultStates();
    RasterState rasterState();
    bool depthAllows(const std::vector<SpriteVertex>& vertices);
    void checkFog(const std::vector<SpriteVertex>& vertices);
    bool culled(const SpriteVertex& a, const SpriteVertex& b, const SpriteVertex& c, bool odd) const;
    void finishFrame();
    HRESULT presentFrame(HWND window, const RECT* dest);

    struct LightSlot {
        D3DLIGHT9 light{};
        bool enabled = false;
    };

    IDirect3D9* parent_;
    HWND window_;
    D3DPRESENT_PARAMETERS parameters_;
    std::vector<uint32_t> backBuffer_;
    int width_ = 0;
    int height_ = 0;
    bool hasDepth_ = false;
    float depthLow_ = 1.0f;  // the range of values in the depth buffer
    float depthHigh_ = 1.0f;
    bool inScene_ = false;
    bool presentWhole_ = true;  // the screen may not show the last presented frame
    int defaultPoolResources_ = 0;
    std::array<DWORD, RenderStateCount> renderStates_{};
    std::array<std::array<DWORD, StageStateCount>, StageCount> stageStates_{};
    std::array<std::array<DWORD, SamplerStateCount>, StageCount> samplerStates_{};
    std::array<IDirect3DBaseTexture9*, StageCount> textures_{};
    D3DMATRIX view_{};
    D3DMATRIX projection_{};
    D3DVIEWPORT9 viewport_{};
    std::map<DWORD, LightSlot> lights_;
    DWORD fvf_ = 0;
    std::vector<SpriteVertex> vertices_;
    FrameRecord frame_;
    std::unique_ptr<host::FramePresenter> presenter_;
    bool presented_ = false;
    std::unique_ptr<TexturePrefetch> prefetch_;
};

}  // namespace layer::d3d
