// graphics.cpp — the headless host's presentation, which captures the
// damaged rectangles of each presented frame (the whole frame when its size
// changes), and the controls of platform/testing/graphics.h: injected Present
// failures, the pretended adapter, the device call log switch, the portable
// kernels, the full-redraw switch, what the last frame rasterised, the frames
// presented, and PNG output of captured frames.
#include "host/headless/headless.h"

#include "d3d9/blend_kernels.h"
#include "d3d9/frame_record.h"

#include "testing/graphics.h"

#include <d3d9.h>

#include <png.h>

#include <algorithm>

namespace layer::host {

namespace {

class CapturePresenter final : public FramePresenter {
public:
    HRESULT present(HWND /*window*/, const uint32_t* pixels, int width, int height, const std::vector<RECT>& damage,
                    const RECT* dest) override
    {
        HeadlessHost::Capture& c = headless().capture;
        if (c.failuresLeft > 0) {
            --c.failuresLeft;
            return D3DERR_DEVICELOST;
        }
        if (c.drawing && (c.width != width || c.height != height)) {
            c.frame.assign(pixels, pixels + static_cast<size_t>(width) * height);
            c.width = width;
            c.height = height;
        } else if (c.drawing) {
            for (const RECT& r : damage)
                for (LONG y = r.top; y < r.bottom; ++y) {
                    const size_t at = static_cast<size_t>(y) * width + r.left;
                    std::copy(pixels + at, pixels + at + (r.right - r.left),
                              c.frame.begin() + static_cast<ptrdiff_t>(at));
                }
        }
        c.destGiven = dest != nullptr;
        if (dest) c.dest = *dest;
        ++c.presents;
        return D3D_OK;
    }
};

}  // namespace

std::unique_ptr<FramePresenter> HeadlessHost::openPresenter() { return std::make_unique<CapturePresenter>(); }

}  // namespace layer::host

namespace testmode {

namespace {
layer::host::HeadlessHost::Capture& capture() { return layer::host::headless().capture; }
}  // namespace

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

bool presentedDestination(RECT& dest)
{
    if (!capture().destGiven) return false;
    dest = capture().dest;
    return true;
}

bool saveCapturedFrame(const char* path)
{
    CapturedFrame frame = capturedFrame();
    if (frame.rgba.empty()) return false;
    return writePng(path, frame.width, frame.height, frame.rgba.data());
}

bool writePng(const char* path, int width, int height, const uint8_t* rgba)
{
    if (!path || !rgba || width <= 0 || height <= 0) return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    bool written = png_image_write_to_file(&image, path, 0, rgba, 0, nullptr) != 0;
    png_image_free(&image);
    return written;
}

void failPresents(int count) { capture().failuresLeft = count; }

void setGraphicsAdapter(const GraphicsAdapter& adapter)
{
    capture().adapter = {adapter.hal, adapter.hardwareVertexProcessing, adapter.mixedVertexProcessing,
                         adapter.softwareVertexProcessing, adapter.reference};
}

void setDeviceCallLog(bool on) { capture().logging = on; }

void setPortableRasteriser(bool on) { layer::d3d::setPortableKernels(on); }

void setDrawing(bool on) { capture().drawing = on; }

void setFullRedraw(bool on) { layer::d3d::setFullRedraw(on); }

RasterisedFrame lastRasterisedFrame()
{
    RasterisedFrame frame;
    const layer::d3d::FrameRecord* record = layer::d3d::FrameRecord::last();
    if (!record) return frame;
    auto rect = [](const layer::d3d::PixelBox& b) { return RECT{b.left, b.top, b.right, b.bottom}; };
    for (const layer::d3d::PixelBox& box : record->damage()) frame.damage.push_back(rect(box));
    for (const layer::d3d::PixelBox& box : record->drawnInDamage()) frame.drawn.push_back(rect(box));
    return frame;
}

PresentedFrames presentedFrames()
{
    const layer::d3d::PresentedFrames counted = layer::d3d::presentedFrames();
    return {counted.count, counted.first};
}

void resetGraphics()
{
    capture() = layer::host::HeadlessHost::Capture{};
    layer::d3d::setPortableKernels(false);
    layer::d3d::setFullRedraw(false);
}

}  // namespace testmode
