// graphics_fixture.cpp — the shared set-up of the graphics tests.
#include "graphics_fixture.h"

#include "framework/graphics/orvTexture.h"

#include <filesystem>

TestImage noiseImage(int width, int height, uint32_t seed, bool opaque)
{
    TestImage image{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
    uint32_t state = seed * 2654435761u + 1;
    for (uint32_t& texel : image.argb) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        texel = opaque ? (state | 0xFF000000u) : state;
    }
    return image;
}

std::string writeTestPng(const std::string& name, const TestImage& image)
{
    std::filesystem::create_directories("gfx_test_data");
    std::string path = "gfx_test_data/" + name;
    std::vector<uint8_t> rgba(image.argb.size() * 4);
    for (size_t i = 0; i < image.argb.size(); ++i) {
        uint32_t p = image.argb[i];
        rgba[i * 4 + 0] = static_cast<uint8_t>(p >> 16);
        rgba[i * 4 + 1] = static_cast<uint8_t>(p >> 8);
        rgba[i * 4 + 2] = static_cast<uint8_t>(p);
        rgba[i * 4 + 3] = static_cast<uint8_t>(p >> 24);
    }
    EXPECT_TRUE(testmode::writePng(path.c_str(), image.width, image.height, rgba.data()));
    return path;
}

std::vector<uint32_t> capturedPixels()
{
    testmode::CapturedFrame frame = testmode::capturedFrame();
    std::vector<uint32_t> pixels(static_cast<size_t>(frame.width) * frame.height);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] =
            (uint32_t{frame.rgba[i * 4]} << 16) | (uint32_t{frame.rgba[i * 4 + 1]} << 8) | frame.rgba[i * 4 + 2];
    return pixels;
}

std::vector<std::string> callsStartingWith(const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& call : testmode::calls())
        if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
    return found;
}

int countCalls(const std::string& prefix) { return static_cast<int>(callsStartingWith(prefix).size()); }

void GraphicsTest::SetUp()
{
    testmode::enable();
    testmode::resetGraphics();
    window = createTestWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(orvGraphics::Initialize(window));
}

void GraphicsTest::TearDown()
{
    for (TextureSlot& slot : orvTexture::slots) EXPECT_EQ(slot.texture, nullptr) << slot.name;
    orvGraphics::Shutdown();
    EXPECT_EQ(Device, nullptr);
    DestroyWindow(window);
    testmode::resetGraphics();
}
