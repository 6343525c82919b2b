// frame_controls.cpp — what tests and benchmarks can ask of the frame
// record (through platform/testing/graphics.h): the switch that makes every
// Present rasterise and show the whole frame, and the count of frames
// presented with the moment of the first.
#include "d3d9/frame_record.h"

#include <atomic>

namespace layer::d3d {

namespace {

std::atomic<bool> fullRedrawOn{false};
PresentedFrames presented;

}  // namespace

bool fullRedraw() { return fullRedrawOn; }
void setFullRedraw(bool on) { fullRedrawOn = on; }

void notePresented()
{
    if (presented.count++ == 0) presented.first = std::chrono::steady_clock::now();
}

PresentedFrames presentedFrames() { return presented; }

}  // namespace layer::d3d
