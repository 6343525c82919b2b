// graphics_fixture.h — shared set-up of the graphics tests: test mode, a
// hidden window and the game's device through orvGraphics::Initialize; PNG
// files written for the tests into the build folder; reading the captured
// frame and the device call log.
#pragma once

#include "framework/graphics/orvGraphics.h"
#include "support/test_window.h"

#include "platform/testing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

struct TestImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;  // 0xAARRGGBB
};

// Deterministic noise with every alpha, or only opaque texels.
TestImage noiseImage(int width, int height, uint32_t seed, bool opaque);
// Writes image as an RGBA PNG under the build folder's gfx_test_data/ and
// returns its path.
std::string writeTestPng(const std::string& name, const TestImage& image);

// The captured frame as 0x00RRGGBB pixels.
std::vector<uint32_t> capturedPixels();
int countCalls(const std::string& prefix);
std::vector<std::string> callsStartingWith(const std::string& prefix);

class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // One frame: BeginFrame, clear to black, draw(), EndFrame.
    template <typename Draw> void frame(Draw draw)
    {
        orvGraphics::BeginFrame();
        Device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
        draw();
        orvGraphics::EndFrame();
    }

    HWND window = nullptr;
};
