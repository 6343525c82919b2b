// orvTexture.h — the texture cache: 512 slots of file name, reference count
// and texture. Loading a name already held (compared without regard to
// letter case, the whole string) gives the same texture and counts one more
// reference; the texture is released with its last reference. Names are kept
// as spelled, so two spellings of one file are two entries. Main thread only;
// needs Device.
#pragma once

#include <d3d9.h>

#include <cstdint>

constexpr int TextureSlotCount = 512;
constexpr int TextureNameCapacity = 64;  // 63 characters and the NUL

struct TextureSlot {
    char name[TextureNameCapacity];
    int32_t refCount;
    IDirect3DTexture9* texture;  // null: the slot is free
};

class orvTexture {
public:
    // The cached texture for fileName, or null when the file did not load,
    // the name is longer than 63 characters or all slots are in use.
    static IDirect3DTexture9* Load(const char* fileName);
    // Gives back one reference; texture must not be null. A texture the
    // cache does not hold is released once.
    static void Release(IDirect3DTexture9* texture);
    // Releases every texture still held and frees every slot.
    static void Empty();

    static TextureSlot slots[TextureSlotCount];
};
