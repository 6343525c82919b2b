// texture.h — the layer's IDirect3DTexture9: one level of 32-bit texels
// (0xAARRGGBB, power-of-two sides) with its level-0 surface, and the map of
// fully transparent, fully opaque and mixed texel runs per row that lets the
// rasteriser skip or copy most of a 1:1 drawn image. Textures are filled once
// at creation (the game never locks them), so a texture's contents are one
// immutable store with an id no other contents ever get: a frame recorded for
// later rasterising keeps the store alive, and tells contents apart by id
// even where a new texture reuses a released one's address. A texture holds a
// reference to its device, as Direct3D's resources do; its level-0 surface
// shares the texture's reference count.
#pragma once

#include <d3d9.h>

#include "win32/com_object.h"

#include <cstdint>
#include <memory>
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
    const TexelRun* runs = nullptr;     // all rows' runs, row after row
    const uint32_t* rowRuns = nullptr;  // height + 1 offsets into runs
};

// A texture's contents: texels and their run map, never changed once built.
class TexelStore {
public:
    TexelStore(uint32_t width, uint32_t height, std::vector<uint32_t> texels);

    TexelImage image() const;
    // Unique among every store the process makes; never 0.
    uint64_t id() const { return id_; }

private:
    void buildRuns();

    uint64_t id_;
    uint32_t width_;
    uint32_t height_;
    std::vector<uint32_t> texels_;
    std::vector<TexelRun> runs_;
    std::vector<uint32_t> rowRuns_;
};

class Texture final : public ComObject<IDirect3DTexture9> {
public:
    // texels: width × height, both powers of two. hasAlpha false makes an
    // X8R8G8B8 texture whose texels read as opaque.
    Texture(Device* device, uint32_t width, uint32_t height, std::vector<uint32_t> texels, bool hasAlpha, D3DPOOL pool);

    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface9** surfaceLevel) override;

    const std::shared_ptr<const TexelStore>& contents() const { return contents_; }
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

    Device* device_;
    uint32_t width_;
    uint32_t height_;
    D3DFORMAT format_;
    D3DPOOL pool_;
    std::shared_ptr<const TexelStore> contents_;
    LevelSurface surface_;
};

}  // namespace layer::d3d
