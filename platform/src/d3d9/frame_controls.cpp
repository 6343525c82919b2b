// frame_controls.cpp — the test and benchmark controls of the frame record:
// the switch that makes every Present rasterise and show the whole frame,
// and what the last frame rasterised.
#include "d3d9/frame_record.h"

#include "testing/graphics.h"

#include <atomic>

namespace layer::d3d {

namespace {

std::atomic<bool> fullRedrawOn{false};

}  // namespace

bool fullRedraw() { return fullRedrawOn; }

}  // namespace layer::d3d

namespace testmode {

void setFullRedraw(bool on) { layer::d3d::fullRedrawOn = on; }

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
