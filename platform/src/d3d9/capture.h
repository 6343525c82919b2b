// capture.h — the test-mode side of the graphics layer, shared by the device
// and platform/testing/graphics.h: the frame captured at each Present, the
// Present failures a test injects, the adapter a test pretends to have, and
// the device call log (through the core's call log).
#pragma once

#include "d3d9/raster.h"
#include "testing/graphics.h"

#include <cstdint>
#include <vector>

namespace layer::d3d {

using AdapterSupport = testmode::GraphicsAdapter;

bool testMode();
// The adapter the Direct3D object reports: everything in normal runs.
AdapterSupport adapterSupport();
// Stores the damaged rectangles of the frame (all of it when the size
// changes); false when the test asked this Present to fail.
bool captureFrame(const uint32_t* pixels, int width, int height, const std::vector<PixelBox>& damage);
// Appends a formatted device call to the call log when logging is on.
void logCall(const char* format, ...) __attribute__((format(printf, 1, 2)));
bool callLogOn();
// False while a test has switched pixel work off: nothing is cleared, drawn or
// captured, though every call is still checked, logged and counted.
bool drawingOn();
// Sends message to the debug trace the first time it is seen.
void traceOnce(const char* message);

}  // namespace layer::d3d
