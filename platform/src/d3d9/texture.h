// texture.h — the layer's IDirect3DTexture9: one level of 32-bit texels
// (0xAARRGGBB, power-of-two sides) with its level-0 surface, and the map of
// fully transparent, fully opaque and mixed texel runs per row that lets the
// rasteriser skip or copy most of a 1:1 drawn image. Textures are filled once
// at creation (the game never locks them). A texture holds a reference to
// its device, as Direct3D's resources do; its level-0 surface shares the
// texture's reference count.
#pragma once

#include <d3d9.h>

#include "win32/com_object.h"

#include <cstdint>
#include <vector>

namespace layer::d3d {

class Device;

enum class RunKind : uint8_t { Clear, Opaque, Mixed };

struct TexelRun {
    uint16_t begin;
    uint16_t end;  // one past the last texel
    RunKind kind;
};

// What the rasteriser reads of a texture.
struct TexelImage {
    const uint32_t* texels = nullptr;
    int width = 0;
    int height = 0;
    const TexelRun* runs = nullptr;      // all rows' runs, row after row
    const uint32_t* rowRuns = nullptr;   // height + 1 offsets into runs
};

class Texture final : public ComObject<IDirect3DTexture9> {
public:
    // texels: width × height, both powers of two. hasAlpha false makes an
    // X8R8G8B8 texture whose texels read as opaque.
    Texture(Device* device, uint32_t width, uint32_t height, std::vector<uint32_t> texels, bool hasAlpha,
            D3DPOOL pool);

    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface9** surfaceLevel) override;

    TexelImage image() const;
    D3DPOOL pool() const { return pool_; }

private:
    class LevelSurface final : public IDirect3DSurface9 {
    public:
        explicit LevelSurface(Texture& owner) : owner_(owner) {}
        HRESULT QueryInterface(REFIID riid, void** object) override { return answerUnknown(this, riid, object); }
        ULONG AddRef() override { return owner_.AddRef(); }
        ULONG Release() override { return owner_.Release(); }

    private:
        Texture& owner_;
    };

    ~Texture() override;
    void buildRuns();

    Device* device_;
    uint32_t width_;
    uint32_t height_;
    D3DFORMAT format_;
    D3DPOOL pool_;
    std::vector<uint32_t> texels_;
    std::vector<TexelRun> runs_;
    std::vector<uint32_t> rowRuns_;
    LevelSurface surface_;
};

}  // namespace layer::d3d
