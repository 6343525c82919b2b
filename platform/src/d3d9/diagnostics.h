// diagnostics.h — what the graphics area reports: device calls formatted
// into the host's call log (which only the headless host keeps), and notes
// to the debug trace about states the rasteriser does not draw.
#pragma once

namespace layer::d3d {

// Appends a formatted device call to the call log when the host keeps one.
void logCall(const char* format, ...) __attribute__((format(printf, 1, 2)));
bool callLogOn();
// Sends message to the debug trace the first time it is seen.
void traceOnce(const char* message);

}  // namespace layer::d3d
