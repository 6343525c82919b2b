// texture_cache_test.cpp — orvTexture's slots, names and reference counts,
// and the COM counts behind them.
#include "graphics_fixture.h"

#include "framework/graphics/orvSprite.h"
#include "framework/graphics/orvTexture.h"

#include <d3dx9.h>

#include <algorithm>
#include <filesystem>

namespace {

int slotOf(IDirect3DTexture9* texture)
{
    for (int i = 0; i < TextureSlotCount; ++i)
        if (orvTexture::slots[i].texture == texture) return i;
    return -1;
}

ULONG comCount(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

}  // namespace

using TextureCache = GraphicsTest;

TEST_F(TextureCache, NamesShareTexturesWithoutRegardToCaseButNotSpelling)
{
    writeTestPng("number.png", noiseImage(8, 8, 1, true));
    IDirect3DTexture9* first = orvTexture::Load("gfx_test_data/number.png");
    ASSERT_NE(first, nullptr);
    IDirect3DTexture9* second = orvTexture::Load("GFX_TEST_DATA/Number.PNG");
    EXPECT_EQ(second, first);
    int slot = slotOf(first);
    ASSERT_GE(slot, 0);
    EXPECT_EQ(orvTexture::slots[slot].refCount, 2);
    EXPECT_STREQ(orvTexture::slots[slot].name, "gfx_test_data/number.png");
    EXPECT_EQ(comCount(first), 1u);

    // Two spellings of one file are two keys.
    IDirect3DTexture9* doubled = orvTexture::Load("gfx_test_data//number.png");
    ASSERT_NE(doubled, nullptr);
    EXPECT_NE(doubled, first);

    orvTexture::Release(first);
    EXPECT_EQ(orvTexture::slots[slot].texture, first);
    EXPECT_EQ(orvTexture::slots[slot].refCount, 1);
    orvTexture::Release(second);
    EXPECT_EQ(orvTexture::slots[slot].texture, nullptr);
    EXPECT_EQ(orvTexture::slots[slot].refCount, 0);
    orvTexture::Release(doubled);
}

TEST_F(TextureCache, FailedLoadsTakeNoSlotAndFreedSlotsAreReusedLowestFirst)
{
    std::filesystem::remove("gfx_test_data/later.png");
    IDirect3DTexture9* missing = orvTexture::Load("gfx_test_data/later.png");
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(slotOf(nullptr), 0);  // slot 0 still free

    writeTestPng("later.png", noiseImage(4, 4, 2, true));
    writeTestPng("other.png", noiseImage(4, 4, 3, true));
    writeTestPng("third.png", noiseImage(4, 4, 4, true));
    IDirect3DTexture9* later = orvTexture::Load("gfx_test_data/later.png");  // tried again, now present
    IDirect3DTexture9* other = orvTexture::Load("gfx_test_data/other.png");
    ASSERT_NE(later, nullptr);
    EXPECT_EQ(slotOf(later), 0);
    EXPECT_EQ(slotOf(other), 1);
    orvTexture::Release(later);
    IDirect3DTexture9* third = orvTexture::Load("gfx_test_data/third.png");
    EXPECT_EQ(slotOf(third), 0);
    orvTexture::Release(third);
    orvTexture::Release(other);

    // Names longer than 63 characters and a full table fail the load.
    std::string longName = "gfx_test_data/" + std::string(50, 'x') + ".png";
    ASSERT_GT(longName.size(), 63u);
    EXPECT_EQ(orvTexture::Load(longName.c_str()), nullptr);
    std::vector<IDirect3DTexture9*> held;
    for (int i = 0; i < TextureSlotCount; ++i) {
        std::string name = writeTestPng("full" + std::to_string(i) + ".png", noiseImage(1, 1, i, true));
        held.push_back(orvTexture::Load(name.c_str()));
    }
    EXPECT_EQ(std::count(held.begin(), held.end(), nullptr), 0);
    EXPECT_EQ(orvTexture::Load("gfx_test_data/other.png"), nullptr);
    for (IDirect3DTexture9* texture : held)
        if (texture) orvTexture::Release(texture);
}

TEST_F(TextureCache, ReleaseOfForeignTextureReleasesOnceAndLeakIsTraced)
{
    writeTestPng("foreign.png", noiseImage(4, 4, 5, true));
    IDirect3DTexture9* foreign = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileExA(Device, "gfx_test_data/foreign.png", D3DX_DEFAULT, D3DX_DEFAULT, 1, 0,
                                           D3DFMT_UNKNOWN, D3DPOOL_DEFAULT, D3DX_FILTER_POINT, D3DX_FILTER_POINT, 0,
                                           nullptr, nullptr, &foreign),
              D3D_OK);
    foreign->AddRef();
    orvTexture::Release(foreign);
    EXPECT_EQ(foreign->Release(), 0u);

    // The last cache reference of a texture someone else still holds: the
    // slot is freed and, in debug builds, the failure traced.
    IDirect3DTexture9* cached = orvTexture::Load("gfx_test_data/foreign.png");
    ASSERT_NE(cached, nullptr);
    cached->AddRef();
    testing::internal::CaptureStderr();
    orvTexture::Release(cached);
    std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_EQ(slotOf(cached), -1);
#ifndef NDEBUG
    EXPECT_NE(trace.find("gfx_test_data/foreign.png"), std::string::npos) << trace;
#endif
    EXPECT_EQ(cached->Release(), 0u);
}

TEST_F(TextureCache, SpritesHoldOneCacheReferenceAndTheirSurface)
{
    writeTestPng("shared.png", noiseImage(40, 20, 6, true));
    auto* a = new orvSprite("gfx_test_data/shared.png");
    auto* b = new orvSprite("gfx_test_data\\..\\gfx_test_data/shared.png");
    auto* c = new orvSprite("gfx_test_data/SHARED.png");
    EXPECT_EQ(a->width, 64u);
    EXPECT_EQ(a->height, 32u);
    EXPECT_NE(a->surface, nullptr);
    EXPECT_EQ(c->texture, a->texture);
    EXPECT_NE(b->texture, a->texture);
    int slot = slotOf(a->texture);
    EXPECT_EQ(orvTexture::slots[slot].refCount, 2);
    // One creation reference and the two surfaces share the texture's count.
    EXPECT_EQ(comCount(a->texture), 3u);
    IDirect3DTexture9* texture = a->texture;
    delete a;
    EXPECT_EQ(comCount(texture), 2u);
    delete c;
    delete b;
    EXPECT_EQ(slotOf(texture), -1);
}
