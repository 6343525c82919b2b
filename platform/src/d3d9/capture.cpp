// capture.cpp — test-mode state of the graphics layer and the controls of
// platform/testing/graphics.h: frame capture at Present, injected Present
// failures, the pretended adapter, the device call log switch, portable
// kernels and PNG output of captured frames.
#include "d3d9/capture.h"

#include "d3d9/blend_kernels.h"
#include "d3d9/png_writer.h"
#include "win32/window_internal.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace layer::d3d {

namespace {

struct CaptureState {
    std::vector<uint32_t> frame;  // the back buffer as presented, 0x??RRGGBB
    int width = 0;
    int height = 0;
    int presents = 0;
    int failuresLeft = 0;
    bool logging = true;
    bool drawing = true;
    AdapterSupport adapter;
};

CaptureState& capture()
{
    static CaptureState state;
    return state;
}

}  // namespace

bool testMode() { return layer::testModeEnabled(); }

AdapterSupport adapterSupport() { return testMode() ? capture().adapter : AdapterSupport{}; }

bool captureFrame(const uint32_t* pixels, int width, int height, const std::vector<PixelBox>& damage)
{
    CaptureState& c = capture();
    if (c.failuresLeft > 0) {
        --c.failuresLeft;
        return false;
    }
    if (c.drawing && (c.width != width || c.height != height)) {
        c.frame.assign(pixels, pixels + static_cast<size_t>(width) * height);
        c.width = width;
        c.height = height;
    } else if (c.drawing) {
        for (const PixelBox& box : damage)
            for (int y = box.top; y < box.bottom; ++y) {
                const size_t at = static_cast<size_t>(y) * width + box.left;
                std::copy(pixels + at, pixels + at + (box.right - box.left), c.frame.begin() + static_cast<ptrdiff_t>(at));
            }
    }
    ++c.presents;
    return true;
}

bool drawingOn() { return !testMode() || capture().drawing; }

bool callLogOn() { return testMode() && capture().logging; }

void logCall(const char* format, ...)
{
    if (!callLogOn()) return;
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    layer::recordCall(text);
}

void traceOnce(const char* message)
{
    static std::mutex guard;
    static std::set<std::string> seen;
    std::lock_guard<std::mutex> lock(guard);
    if (seen.insert(message).second) OutputDebugStringA(message);
}

}  // namespace layer::d3d

namespace testmode {

using layer::d3d::capture;

CapturedFrame capturedFrame()
{
    CapturedFrame frame;
    frame.width = capture().width;
    frame.height = capture().height;
    frame.rgba.resize(capture().frame.size() * 4);
    for (size_t i = 0; i < capture().frame.size(); ++i) {
        uint32_t pixel = capture().frame[i];
        frame.rgba[i * 4 + 0] = static_cast<uint8_t>(pixel >> 16);
        frame.rgba[i * 4 + 1] = static_cast<uint8_t>(pixel >> 8);
        frame.rgba[i * 4 + 2] = static_cast<uint8_t>(pixel);
        frame.rgba[i * 4 + 3] = 255;
    }
    return frame;
}

int presentCount() { return capture().presents; }

bool saveCapturedFrame(const char* path)
{
    CapturedFrame frame = capturedFrame();
    if (frame.rgba.empty()) return false;
    return writePng(path, frame.width, frame.height, frame.rgba.data());
}

bool writePng(const char* path, int width, int height, const uint8_t* rgba)
{
    return layer::d3d::writePngFile(path, width, height, rgba);
}

void failPresents(int count) { capture().failuresLeft = count; }

void setGraphicsAdapter(const GraphicsAdapter& adapter)
{
    capture().adapter = adapter;
}

void setDeviceCallLog(bool on) { capture().logging = on; }

void setPortableRasteriser(bool on) { layer::d3d::setPortableKernels(on); }

void setDrawing(bool on) { capture().drawing = on; }

void resetGraphics()
{
    capture() = layer::d3d::CaptureState{};
    layer::d3d::setPortableKernels(false);
    setFullRedraw(false);
}

}  // namespace testmode
