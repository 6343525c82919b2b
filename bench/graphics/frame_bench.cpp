// frame_bench.cpp — the cost of the game's frame on our rasteriser: a
// 1024 × 1024 frame overlay mostly transparent, a 256 × 1024 status column,
// sixteen 256 × 256 blocks (four turned and shrunk), a 1024 × 128 banner, a
// 192 × 192 icon scaled from 256 × 256, twelve 49 × 49 digits from 64 × 64
// cells, a turned 128 × 128 arrow and two 64 × 64 pointer quads, drawn on
// the bench game's device. Every frame is the same, so it is redrawn whole
// (the full redraw switch): prints the median ms per frame for drawing and
// presenting (into the test-mode capture), with the vector kernels and with
// the portable scalar ones.
#include "game_frames.h"

#include "framework/graphics/orvGraphics.h"
#include "framework/graphics/orvSprite.h"

#include "platform/testing.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using Shader = uint32_t (*)(int x, int y, int w, int h);

std::string writeImage(const std::string& name, int w, int h, Shader shade)
{
    std::filesystem::create_directories("bench_data");
    std::string path = "bench_data/" + name;
    std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t p = shade(x, y, w, h);
            uint8_t* out = &rgba[(static_cast<size_t>(y) * w + x) * 4];
            out[0] = static_cast<uint8_t>(p >> 16);
            out[1] = static_cast<uint8_t>(p >> 8);
            out[2] = static_cast<uint8_t>(p);
            out[3] = static_cast<uint8_t>(p >> 24);
        }
    testmode::writePng(path.c_str(), w, h, rgba.data());
    return path;
}

// Opaque texel with a soft alpha edge of `edge` texels inside a rounded box.
uint32_t softBox(int x, int y, int w, int h, int edge, uint32_t colour)
{
    int d = std::min(std::min(x, w - 1 - x), std::min(y, h - 1 - y));
    uint32_t alpha = d >= edge ? 255 : static_cast<uint32_t>(255 * d / edge);
    return (alpha << 24) | ((colour & 0xFFFFFF) ^ static_cast<uint32_t>((x * 7 + y * 13) & 0x1F));
}

struct Scene {
    std::unique_ptr<orvSprite> overlay, column, blocks, banner, icon, digits, arrow, pointer;

    Scene()
    {
        startBenchGame();
        // The frame over the board: 84 % clear, with opaque bars and soft edges.
        overlay = std::make_unique<orvSprite>(writeImage("overlay.png", 1024, 1024, [](int x, int y, int, int) {
                                                  int gx = x % 256, gy = y % 256;
                                                  int bar = std::min(std::min(gx, 255 - gx), std::min(gy, 255 - gy));
                                                  if (bar >= 11) return 0x00000000u;
                                                  return bar >= 3 ? 0xFF806040u
                                                                  : (static_cast<uint32_t>(bar * 80) << 24) | 0x806040u;
                                              }).c_str());
        column =
            std::make_unique<orvSprite>(writeImage("column.png", 256, 1024, [](int x, int y, int, int) {
                                            return 0xFF000000u | static_cast<uint32_t>(x * 0x010203 + y * 0x000101);
                                        }).c_str());
        blocks = std::make_unique<orvSprite>(writeImage("blocks.png", 1024, 256, [](int x, int y, int w, int h) {
                                                 return softBox(x % 256, y, w / 4, h, 12,
                                                                0x3070C0u * static_cast<uint32_t>(1 + x / 256));
                                             }).c_str());
        banner = std::make_unique<orvSprite>(writeImage("banner.png", 1024, 128, [](int x, int y, int w, int h) {
                                                 return softBox(x, y, w, h, 16, 0xE0C020u);
                                             }).c_str());
        icon = std::make_unique<orvSprite>(writeImage("icon.png", 256, 256, [](int x, int y, int w, int h) {
                                               return softBox(x, y, w, h, 40, 0x20E080u);
                                           }).c_str());
        digits = std::make_unique<orvSprite>(writeImage("digits.png", 640, 64, [](int x, int y, int, int h) {
                                                 return softBox(x % 64, y, 64, h, 8, 0xFFFFFFu);
                                             }).c_str());
        arrow = std::make_unique<orvSprite>(writeImage("arrow.png", 128, 128, [](int x, int y, int w, int h) {
                                                return softBox(x, y, w, h, 30, 0xF04040u);
                                            }).c_str());
        pointer = std::make_unique<orvSprite>(writeImage("pointer.png", 128, 64, [](int x, int y, int, int h) {
                                                  return softBox(x % 64, y, 64, h, 20, 0xFFFFFFu);
                                              }).c_str());
    }

    ~Scene()
    {
        overlay.reset();
        column.reset();
        blocks.reset();
        banner.reset();
        icon.reset();
        digits.reset();
        arrow.reset();
        pointer.reset();
    }

    void draw()
    {
        Device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
        for (int cell = 0; cell < 16; ++cell) {
            int x = (cell / 4) * 256, y = (cell % 4) * 256, source = (cell % 4) * 256;
            if (cell % 4 == 1) blocks->DrawRotated(x + 40, y + 40, 176, 176, source, 256, 256, 0.3f * cell);
            else blocks->Draw(x, y, 256, 256, source, 0, 256, 256, 0.0f);
        }
        overlay->Draw(0, 0, 1024, 1024, 0, 0, 1024, 1024, 0.0f);
        column->Draw(1024, 0, 256, 1024, 0, 0, 256, 1024, 0.0f);
        arrow->DrawRotated(1088, 200, 128, 128, 0, 128, 128, 1.2f);
        icon->Draw(1056, 360, 192, 192, 0, 0, 256, 256, 0.0f);
        for (int digit = 0; digit < 12; ++digit)
            digits->Draw(1034 + (digit % 4) * 56, 600 + (digit / 4) * 60, 49, 49, (digit % 10) * 64, 0, 64, 64, 0.0f);
        banner->Draw(0, 448, 1024, 128, 0, 0, 1024, 128, 0.0f);
        pointer->Draw(500, 500, 64, 64, 0, 0, 64, 64, 0.0f);
        pointer->DrawRotated(500, 500, 64, 64, 64, 64, 64, 0.8f);
    }
};

Scene& scene()
{
    static Scene s;
    return s;
}

void DrawingAndPresent(benchmark::State& state)
{
    Scene& s = scene();
    testmode::setPortableRasteriser(state.range(0) != 0);
    testmode::setFullRedraw(true);
    for (auto _ : state) {
        Device->BeginScene();
        s.draw();
        Device->EndScene();
        Device->Present(nullptr, nullptr, nullptr, nullptr);
    }
    testmode::setFullRedraw(false);
    testmode::setPortableRasteriser(false);
    state.SetLabel(state.range(0) ? "portable scalar" : "vector kernels");
}

}  // namespace

BENCHMARK(DrawingAndPresent)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true)
    ->UseRealTime();

BENCHMARK_MAIN();
