// orvTexture.cpp — linear look-ups over the slots; loads through
// D3DXCreateTextureFromFileExA at the file's power-of-two size, stretched with
// point sampling, in the default pool.
#include "framework/graphics/orvTexture.h"

#include "framework/graphics/TraceDebug.h"
#include "framework/graphics/orvGraphics.h"

#include <d3dx9.h>

#include <cstring>

TextureSlot orvTexture::slots[TextureSlotCount];

IDirect3DTexture9* orvTexture::Load(const char* fileName)
{
    // Without a device no texture can be made, and D3DX may read the whole
    // file before it looks at the device: a round played with none (as
    // --verify plays it) reads no image.
    if (!Device) return nullptr;
    for (TextureSlot& slot : slots)
        if (slot.texture && lstrcmpiA(slot.name, fileName) == 0) {
            ++slot.refCount;
            return slot.texture;
        }

    if (std::strlen(fileName) >= sizeof(TextureSlot::name)) {
        TraceDebug("*[orvTexture] name too long: \"%s\"\n", fileName);
        return nullptr;
    }
    TextureSlot* vacant = nullptr;
    for (TextureSlot& slot : slots)
        if (!slot.texture) {
            vacant = &slot;
            break;
        }
    if (!vacant) {
        TraceDebug("*[orvTexture] all %d slots in use: \"%s\"\n", TextureSlotCount, fileName);
        return nullptr;
    }

    std::memcpy(vacant->name, fileName, std::strlen(fileName) + 1);
    if (FAILED(D3DXCreateTextureFromFileExA(Device, fileName, D3DX_DEFAULT, D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN,
                                            D3DPOOL_DEFAULT, D3DX_FILTER_POINT, D3DX_FILTER_POINT, 0, nullptr, nullptr,
                                            &vacant->texture))) {
        vacant->texture = nullptr;
        return nullptr;
    }
    vacant->refCount += 1;
    return vacant->texture;
}

void orvTexture::Release(IDirect3DTexture9* texture)
{
    for (TextureSlot& slot : slots) {
        if (slot.texture != texture) continue;
        slot.refCount -= 1;
        if (slot.refCount > 0) return;
        if (Device) Device->SetTexture(0, nullptr);
        if (slot.texture->Release() != 0) TraceDebug("*エラー[orvTexture] ---> 解放失敗: \"%s\"\n", slot.name);
        slot.texture = nullptr;
        slot.refCount = 0;
        return;
    }
    texture->Release();
}

void orvTexture::Empty()
{
    for (TextureSlot& slot : slots) {
        if (slot.texture) slot.texture->Release();
        slot.texture = nullptr;
        slot.refCount = 0;
    }
}
