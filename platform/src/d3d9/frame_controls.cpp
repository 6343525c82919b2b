// frame_controls.cpp — the test and benchmark controls of the frame record:
// the switch that makes every Present rasterise and show the whole frame,
// what the last frame rasterised, and the count of frames presented.
#include "d3d9/frame_record.h"

#include "testing/graphics.h"

#include <atomic>
#include <chrono>

namespace layer::d3d {

namespace {

std::atomic<bool> fullRedrawOn{false};
std::atomic<int> presented{0};
std::chrono::steady_clock::time_point firstPresented;

}  // namespace

bool fullRedraw() { return fullRedrawOn; }

void notePresented()
{
    if (presented++ == 0) firstPresented = std::chrono::steady_clock::now();
}

}  // namespace layer::d3d

namespace testmode {

void setFullRedraw(bool on) { layer::d3d::fullRedrawOn = on; }

PresentedFrames presentedFrames()
{
    return {layer::d3d::presented, layer::d3d::firstPresented};
}

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

}  // namespace testmode
