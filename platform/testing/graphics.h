// graphics.h — test mode of the graphics layer: the back buffer captured at
// every Present (as RGBA pixels, writable as PNG), injected Present failures,
// the adapter the Direct3D object pretends to have, and switches for the
// device call log (entries go to testmode::calls(), e.g.
// "SetRenderState(22, 3)") and for the portable scalar rasteriser kernels.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace testmode {

struct CapturedFrame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // row after row; alpha is 255 (the back buffer has none)

    const uint8_t* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

// The frame the last successful Present showed; empty before the first.
CapturedFrame capturedFrame();
int presentCount();
// The destination rectangle the last successful Present named, in client
// pixels; false when it named none (the whole client area).
bool presentedDestination(RECT& dest);
bool saveCapturedFrame(const char* path);
bool writePng(const char* path, int width, int height, const uint8_t* rgba);

// The next count Presents fail with D3DERR_DEVICELOST and capture nothing.
void failPresents(int count);

// What GetDeviceCaps and CreateDevice accept; everything by default.
struct GraphicsAdapter {
    bool hal = true;
    bool hardwareVertexProcessing = true;
    bool mixedVertexProcessing = true;
    bool softwareVertexProcessing = true;
    bool reference = true;
};
void setGraphicsAdapter(const GraphicsAdapter& adapter);

// Device calls with their arguments in the call log (on by default).
void setDeviceCallLog(bool on);
// The portable scalar kernels instead of the vector ones (same pixels).
void setPortableRasteriser(bool on);
// Pixel work on or off (on by default). Off, Clear and DrawPrimitiveUP check
// and log their calls but touch no pixel, and Present counts without
// capturing: a run that needs only some frames skips the cost of the others.
void setDrawing(bool on);
// Every Present rasterises and shows the whole frame (off by default: only
// the parts that can differ from the frame shown before). Works outside test
// mode too, for benchmarks of the real game.
void setFullRedraw(bool on);
// What the last drawn Present rasterised: the damaged rectangles, and the
// part of each clear's and draw's bounds inside them, in drawing order.
struct RasterisedFrame {
    std::vector<RECT> damage;
    std::vector<RECT> drawn;
};
RasterisedFrame lastRasterisedFrame();
// Frames presented since the process started, and when the first was.
struct PresentedFrames {
    int count = 0;
    std::chrono::steady_clock::time_point first;
};
PresentedFrames presentedFrames();
// Back to the defaults above; forgets the captured frame.
void resetGraphics();

}  // namespace testmode
