// blend_kernel_test.cpp — the vector and scalar blend kernels agree bit for
// bit, and their rounding is exact; the portable rasteriser draws the same
// frame as the vector one.
#include "graphics_fixture.h"

#include "d3d9/blend_kernels.h"
#include "framework/graphics/orvSprite.h"

#include <cmath>

TEST(BlendKernels, RoundingIsExactAndEveryKernelAgrees)
{
    for (uint32_t x = 0; x <= 255 * 255; ++x)
        ASSERT_EQ(layer::d3d::divide255(x), static_cast<uint32_t>(std::lround(x / 255.0))) << x;

    TestImage source = noiseImage(1037, 1, 1, false), background = noiseImage(1037, 1, 2, true);
    // Edge alphas and odd lengths exercise the tails of the vector loops.
    source.argb[0] &= 0x00FFFFFF;
    source.argb[1] |= 0xFF000000;
    std::vector<uint32_t> scalar = background.argb;
    layer::d3d::blendRowScalar(scalar.data(), source.argb.data(), 1037);
    EXPECT_EQ(scalar[0], background.argb[0]);
    EXPECT_EQ(scalar[1] & 0xFFFFFF, source.argb[1] & 0xFFFFFF);
#if defined(__x86_64__) || defined(__i386__)
    std::vector<uint32_t> sse2 = background.argb;
    layer::d3d::blendRowSse2(sse2.data(), source.argb.data(), 1037);
    EXPECT_EQ(sse2, scalar);
    if (__builtin_cpu_supports("avx2")) {
        std::vector<uint32_t> avx2 = background.argb;
        layer::d3d::blendRowAvx2(avx2.data(), source.argb.data(), 1037);
        EXPECT_EQ(avx2, scalar);
    }
#endif
}

using PortableRasteriser = GraphicsTest;

TEST_F(PortableRasteriser, DrawsTheSameFrameAsTheVectorKernels)
{
    TestImage overlay = noiseImage(256, 256, 5, false);
    orvSprite sprite(writeTestPng("portable.png", overlay).c_str());
    auto draw = [&] {
        sprite.Draw(0, 0, 256, 256, 0, 0, 256, 256, 0.0f);
        sprite.Draw(300, 0, 192, 192, 0, 0, 256, 256, 0.0f);
        sprite.DrawRotated(600, 100, 256, 256, 0, 256, 256, 0.4f);
        // Shrunk by exactly 3: every sample sits on a texel centre (full weight on one texel).
        sprite.Draw(0, 300, 85, 85, 0, 0, 255, 255, 0.0f);
        sprite.Draw(100, 300, 49, 49, 0, 0, 64, 64, 0.0f);
    };
    frame(draw);
    std::vector<uint32_t> vector = capturedPixels();
    testmode::setPortableRasteriser(true);
    frame(draw);
    testmode::setPortableRasteriser(false);
    EXPECT_EQ(capturedPixels(), vector);
}
