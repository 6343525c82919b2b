// texture.cpp — the layer's texture and its level-0 surface; builds the
// per-row map of transparent, opaque and mixed texel runs at creation.
#include "d3d9/texture.h"

#include "d3d9/device.h"

#include <atomic>

namespace layer::d3d {

namespace {

// Runs shorter than this are folded into mixed runs: blending a few opaque or
// clear texels costs less than switching between copy, skip and blend.
constexpr uint32_t ShortestRun = 8;

RunKind kindOf(uint32_t texel)
{
    uint32_t alpha = texel >> 24;
    if (alpha == 0) return RunKind::Clear;
    if (alpha == 255) return RunKind::Opaque;
    return RunKind::Mixed;
}

std::atomic<uint64_t> lastStoreId{0};

std::vector<uint32_t> opaque(std::vector<uint32_t> texels, bool hasAlpha)
{
    if (!hasAlpha)
        for (uint32_t& texel : texels) texel |= 0xFF000000u;
    return texels;
}

}  // namespace

TexelStore::TexelStore(uint32_t width, uint32_t height, std::vector<uint32_t> texels)
    : id_(++lastStoreId), width_(width), height_(height), texels_(std::move(texels))
{
    buildRuns();
}

Texture::Texture(Device* device, uint32_t width, uint32_t height, std::vector<uint32_t> texels, bool hasAlpha,
                 D3DPOOL pool)
    : device_(device), width_(width), height_(height), format_(hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8),
      pool_(pool), contents_(std::make_shared<const TexelStore>(width, height, opaque(std::move(texels), hasAlpha))),
      surface_(*this)
{
    device_->AddRef();
    device_->resourceCreated(pool_);
}

Texture::~Texture()
{
    device_->resourceDestroyed(pool_);
    device_->Release();
}

HRESULT Texture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc)
{
    if (level != 0 || !desc) return D3DERR_INVALIDCALL;
    *desc = D3DSURFACE_DESC{};
    desc->Format = format_;
    desc->Type = D3DRTYPE_SURFACE;
    desc->Usage = 0;
    desc->Pool = pool_;
    desc->MultiSampleType = D3DMULTISAMPLE_NONE;
    desc->Width = width_;
    desc->Height = height_;
    return D3D_OK;
}

HRESULT Texture::GetSurfaceLevel(UINT level, IDirect3DSurface9** surfaceLevel)
{
    if (!surfaceLevel) return D3DERR_INVALIDCALL;
    *surfaceLevel = nullptr;
    if (level != 0) return D3DERR_INVALIDCALL;
    AddRef();
    *surfaceLevel = &surface_;
    return D3D_OK;
}

TexelImage TexelStore::image() const
{
    TexelImage image;
    image.texels = texels_.data();
    image.width = static_cast<int>(width_);
    image.height = static_cast<int>(height_);
    image.runs = runs_.data();
    image.rowRuns = rowRuns_.data();
    return image;
}

void TexelStore::buildRuns()
{
    rowRuns_.assign(height_ + 1, 0);
    std::vector<TexelRun> row;
    for (uint32_t y = 0; y < height_; ++y) {
        const uint32_t* texels = &texels_[static_cast<size_t>(y) * width_];
        row.clear();
        for (uint32_t x = 0; x < width_;) {
            RunKind kind = kindOf(texels[x]);
            uint32_t end = x + 1;
            while (end < width_ && kindOf(texels[end]) == kind) ++end;
            if (end - x < ShortestRun) kind = RunKind::Mixed;
            if (!row.empty() && row.back().kind == kind) row.back().end = static_cast<uint16_t>(end);
            else row.push_back({static_cast<uint16_t>(x), static_cast<uint16_t>(end), kind});
            x = end;
        }
        runs_.insert(runs_.end(), row.begin(), row.end());
        rowRuns_[y + 1] = static_cast<uint32_t>(runs_.size());
    }
}

}  // namespace layer::d3d
