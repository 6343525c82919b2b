// texture_file.cpp — D3DXCreateTextureFromFileExA: reads a PNG file (path as
// the game spells it, backslashes allowed), decodes it (or takes the image the
// device's start-up worker decoded from the same bytes, texture_prefetch.h),
// raises each side to a power of two with point sampling and creates a
// one-level texture. Fails with D3DXERR_INVALIDDATA and a message to the
// debug trace on a missing, unreadable or bad file; never with a crash.
#include "d3d9/diagnostics.h"
#include "d3d9/device.h"
#include "d3d9/png_image.h"
#include "d3d9/texture.h"
#include "d3d9/texture_prefetch.h"
#include "d3d9/whole_file.h"
#include "win32/paths.h"

#include <d3dx9.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace layer::d3d {

namespace {

uint32_t textureSide(UINT requested, uint32_t imageSide)
{
    if (requested == 0 || requested == D3DX_DEFAULT) return nextPowerOfTwo(imageSide);
    return nextPowerOfTwo(std::min<uint32_t>(requested, LargestTextureSide));
}

}  // namespace

}  // namespace layer::d3d

HRESULT WINAPI D3DXCreateTextureFromFileExA(LPDIRECT3DDEVICE9 device, LPCSTR srcFile, UINT width, UINT height,
                                            UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                            DWORD mipFilter, D3DCOLOR colorKey, D3DXIMAGE_INFO* srcInfo,
                                            PALETTEENTRY* palette, LPDIRECT3DTEXTURE9* texture)
{
    using namespace layer::d3d;
    (void)mipLevels;
    (void)usage;
    (void)filter;
    (void)mipFilter;
    (void)srcInfo;
    (void)palette;
    logCall("D3DXCreateTextureFromFileExA(%s)", srcFile ? srcFile : "NULL");
    if (texture) *texture = nullptr;
    auto* owner = dynamic_cast<Device*>(device);
    if (!owner || !srcFile || !texture) return D3DERR_INVALIDCALL;

    const std::string path = layer::hostPath(srcFile);
    std::vector<uint8_t> bytes;
    const WholeFile read = readWholeFile(path, LargestImageFile, bytes);
    std::string error = wholeFileError(read);
    DecodedImage image;
    if (read != WholeFile::Read ||
        !(owner->startupImage(path, bytes, image) || decodePng(bytes.data(), bytes.size(), image, error))) {
        std::string message = "D3DXCreateTextureFromFileExA: \"" + std::string(srcFile) + "\": " + error + "\n";
        OutputDebugStringA(message.c_str());
        return D3DXERR_INVALIDDATA;
    }
    uint32_t textureWidth = textureSide(width, image.width);
    uint32_t textureHeight = textureSide(height, image.height);
    const bool imageAlpha = image.hasAlpha;
    std::vector<uint32_t> texels = stretchPoint(std::move(image), textureWidth, textureHeight);
    if (colorKey != 0)
        for (uint32_t& texel : texels)
            if (texel == colorKey) texel = 0;
    bool alpha = format == D3DFMT_UNKNOWN ? imageAlpha || colorKey != 0 : format == D3DFMT_A8R8G8B8;
    *texture = new Texture(owner, textureWidth, textureHeight, std::move(texels), alpha, pool);
    return D3D_OK;
}
