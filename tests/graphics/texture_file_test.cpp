// texture_file_test.cpp — D3DXCreateTextureFromFileExA on the PNG files the
// game may meet: every colour type and depth converted, sides raised to
// powers of two by point sampling, and bad files refused without harm.
#include "graphics_fixture.h"

#include <d3dx9.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// Writes rows of raw PNG samples with the given colour type, depth and
// interlacing through libpng's full API.
bool writeRawPng(const std::string& path, int width, int height, int colourType, int depth, bool interlaced,
                 const std::vector<std::vector<uint8_t>>& rows, const std::vector<png_color>& palette = {},
                 const std::vector<uint8_t>& paletteAlpha = {})
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, depth, colourType, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!paletteAlpha.empty())
        png_set_tRNS(png, info, paletteAlpha.data(), static_cast<int>(paletteAlpha.size()), nullptr);
    png_write_info(png, info);
    std::vector<png_bytep> pointers;
    for (const auto& row : rows) pointers.push_back(const_cast<png_bytep>(row.data()));
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return true;
}

struct Loaded {
    HRESULT result;
    D3DSURFACE_DESC desc{};
};

IDirect3DTexture9* load(const std::string& path, Loaded& loaded)
{
    IDirect3DTexture9* texture = nullptr;
    loaded.result = D3DXCreateTextureFromFileExA(Device, path.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN,
                                                 D3DPOOL_DEFAULT, D3DX_FILTER_POINT, D3DX_FILTER_POINT, 0, nullptr,
                                                 nullptr, &texture);
    if (texture) texture->GetLevelDesc(0, &loaded.desc);
    return texture;
}

// Draws the whole texture 1:1 at the origin and returns the captured pixels.
std::vector<uint32_t> drawn(IDirect3DTexture9* texture, int width, int height)
{
    struct Vertex {
        float x, y, z, rhw;
        DWORD diffuse;
        float u, v;
    };
    float r = width - 0.5f, b = height - 0.5f;
    float u0 = 0.5f / width, v0 = 0.5f / height;
    Vertex v[4] = {{0, 0, 0, 1, 0xFFFFFFFF, u0, v0},
                   {r, 0, 0, 1, 0xFFFFFFFF, 1, v0},
                   {0, b, 0, 1, 0xFFFFFFFF, u0, 1},
                   {r, b, 0, 1, 0xFFFFFFFF, 1, 1}};
    Device->BeginScene();
    Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    Device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    Device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    Device->SetTexture(0, texture);
    Device->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    Device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(Vertex));
    Device->SetTexture(0, nullptr);
    Device->EndScene();
    Device->Present(nullptr, nullptr, nullptr, nullptr);
    std::vector<uint32_t> all = capturedPixels(), out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) out.push_back(all[static_cast<size_t>(y) * 1280 + x]);
    return out;
}

uint32_t crc32(const uint8_t* data, size_t size)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

std::vector<uint8_t> readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

using TextureFile = GraphicsTest;

TEST_F(TextureFile, EveryColourTypeAndDepthBecomesTheSameTexels)
{
    // A 3 × 2 image: grey levels 0, 128, 255 / 255, 64, 0.
    const uint8_t grey[2][3] = {{0, 128, 255}, {255, 64, 0}};
    std::vector<std::vector<uint8_t>> grey8, grey16, rgb8, palette8;
    for (auto& row : grey) {
        std::vector<uint8_t> g8, g16, c8, p8;
        for (uint8_t value : row) {
            g8.push_back(value);
            g16.push_back(value);
            g16.push_back(value);
            c8.insert(c8.end(), {value, value, value});
            p8.push_back(value == 0 ? 0 : value == 64 ? 1 : value == 128 ? 2 : 3);
        }
        grey8.push_back(g8);
        grey16.push_back(g16);
        rgb8.push_back(c8);
        palette8.push_back(p8);
    }
    std::vector<png_color> palette = {{0, 0, 0}, {64, 64, 64}, {128, 128, 128}, {255, 255, 255}};
    ASSERT_TRUE(writeRawPng("gfx_test_data/grey8.png", 3, 2, PNG_COLOR_TYPE_GRAY, 8, false, grey8));
    ASSERT_TRUE(writeRawPng("gfx_test_data/grey16.png", 3, 2, PNG_COLOR_TYPE_GRAY, 16, false, grey16));
    ASSERT_TRUE(writeRawPng("gfx_test_data/interlaced.png", 3, 2, PNG_COLOR_TYPE_RGB, 8, true, rgb8));
    ASSERT_TRUE(writeRawPng("gfx_test_data/palette.png", 3, 2, PNG_COLOR_TYPE_PALETTE, 8, false, palette8, palette));

    // Point stretch to 4 × 2: destination columns 0..3 take source columns 0, 1, 1, 2.
    std::vector<uint32_t> expected;
    for (auto& row : grey)
        for (int source : {0, 1, 1, 2}) expected.push_back(row[source] * 0x010101u);
    for (const char* name : {"grey8", "grey16", "interlaced", "palette"}) {
        SCOPED_TRACE(name);
        Loaded loaded;
        IDirect3DTexture9* texture = load(std::string("gfx_test_data/") + name + ".png", loaded);
        ASSERT_EQ(loaded.result, D3D_OK);
        EXPECT_EQ(loaded.desc.Width, 4u);
        EXPECT_EQ(loaded.desc.Height, 2u);
        EXPECT_EQ(loaded.desc.Format, D3DFMT_X8R8G8B8);
        EXPECT_EQ(loaded.desc.Pool, D3DPOOL_DEFAULT);
        EXPECT_EQ(drawn(texture, 4, 2), expected);
        EXPECT_EQ(texture->Release(), 0u);
    }

    // A palette with transparency gives an A8R8G8B8 texture.
    ASSERT_TRUE(writeRawPng("gfx_test_data/palette_alpha.png", 3, 2, PNG_COLOR_TYPE_PALETTE, 8, false, palette8,
                            palette, {0, 255, 255, 255}));
    Loaded loaded;
    IDirect3DTexture9* texture = load("gfx_test_data/palette_alpha.png", loaded);
    ASSERT_EQ(loaded.result, D3D_OK);
    EXPECT_EQ(loaded.desc.Format, D3DFMT_A8R8G8B8);
    texture->Release();
}

TEST_F(TextureFile, OddSizesStretchToPowersOfTwoByPointSampling)
{
    TestImage image = noiseImage(5, 3, 7, true);
    std::string path = writeTestPng("odd.png", image);
    Loaded loaded;
    IDirect3DTexture9* texture = load(path, loaded);
    ASSERT_EQ(loaded.result, D3D_OK);
    ASSERT_EQ(loaded.desc.Width, 8u);
    ASSERT_EQ(loaded.desc.Height, 4u);
    std::vector<uint32_t> pixels = drawn(texture, 8, 4);
    const int columns[8] = {0, 0, 1, 2, 2, 3, 4, 4};  // centres (x + 0.5) × 5 / 8
    const int rows[4] = {0, 1, 1, 2};                 // centres (y + 0.5) × 3 / 4
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(pixels[y * 8 + x], image.argb[rows[y] * 5 + columns[x]] & 0xFFFFFF) << x << "," << y;
    texture->Release();
}

TEST_F(TextureFile, BadFilesFailWithAMessageAndNoTexture)
{
    TestImage image = noiseImage(16, 16, 9, false);
    std::vector<uint8_t> good = readAll(writeTestPng("good.png", image));
    ASSERT_GT(good.size(), 60u);

    writeAll("gfx_test_data/empty.png", {});
    writeAll("gfx_test_data/truncated.png", std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2));
    std::vector<uint8_t> corrupt = good;
    for (size_t i = 40; i < corrupt.size() - 12; i += 7) corrupt[i] ^= 0x5A;
    writeAll("gfx_test_data/corrupt.png", corrupt);
    writeAll("gfx_test_data/text.png", {'h', 'e', 'l', 'l', 'o'});
    // A header claiming 100000 × 100000 pixels, with a valid checksum.
    std::vector<uint8_t> huge = good;
    const uint8_t side[4] = {0x00, 0x01, 0x86, 0xA0};
    std::copy(side, side + 4, huge.begin() + 16);
    std::copy(side, side + 4, huge.begin() + 20);
    uint32_t crc = crc32(&huge[12], 17);
    for (int i = 0; i < 4; ++i) huge[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    writeAll("gfx_test_data/huge.png", huge);

    for (const char* name : {"missing", "empty", "truncated", "corrupt", "text", "huge"}) {
        SCOPED_TRACE(name);
        testing::internal::CaptureStderr();
        Loaded loaded;
        IDirect3DTexture9* texture = load(std::string("gfx_test_data/") + name + ".png", loaded);
        std::string trace = testing::internal::GetCapturedStderr();
        EXPECT_EQ(loaded.result, D3DXERR_INVALIDDATA);
        EXPECT_EQ(texture, nullptr);
        EXPECT_NE(trace.find(name), std::string::npos) << trace;
    }
}

TEST_F(TextureFile, BackslashesInNamesReachTheFile)
{
    TestImage image = noiseImage(2, 2, 11, true);
    writeTestPng("slash.png", image);
    Loaded loaded;
    IDirect3DTexture9* texture = load("gfx_test_data\\slash.png", loaded);
    EXPECT_EQ(loaded.result, D3D_OK);
    if (texture) texture->Release();
}

// The device's first image file starts decoding the other images of its
// folder ahead of their loads (here while the first, large one is decoded);
// each load still shows the file as it is when it is loaded, even one
// rewritten after the worker decoded it.
TEST_F(TextureFile, ImagesDecodedAheadShowTheFilesAsTheyAreWhenLoaded)
{
    const std::string folder = "ahead_test_data";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    auto write = [&](const std::string& name, const TestImage& image) {
        std::vector<uint8_t> rgba;
        for (uint32_t p : image.argb)
            rgba.insert(rgba.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                                     static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 24)});
        EXPECT_TRUE(testmode::writePng((folder + "/" + name).c_str(), image.width, image.height, rgba.data()));
    };
    const TestImage first = noiseImage(1024, 512, 21, true), before = noiseImage(64, 64, 22, true),
                    after = noiseImage(64, 64, 23, true), other = noiseImage(32, 32, 24, true);
    write("first.png", first);
    write("rewritten.png", before);
    write("other.png", other);
    Loaded loaded;
    IDirect3DTexture9* textures[3] = {load(folder + "/first.png", loaded), nullptr, nullptr};
    write("rewritten.png", after);
    textures[1] = load(folder + "/rewritten.png", loaded);
    textures[2] = load(folder + "//other.png", loaded);
    const TestImage* expected[3] = {&first, &after, &other};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(textures[i], nullptr);
        std::vector<uint32_t> pixels = drawn(textures[i], expected[i]->width, expected[i]->height);
        for (size_t p = 0; p < pixels.size(); ++p) ASSERT_EQ(pixels[p], expected[i]->argb[p] & 0xFFFFFF) << p;
        textures[i]->Release();
    }
}
