// kernel32_internal.h — what the kernel32 area offers the other areas of the
// layer: a way for test mode to let the game's threads catch up after it
// signalled them (the audio capture waits here after each notification).
#pragma once

#include <cstdint>

namespace layer {

// Waits until every thread made by CreateThread has ended or is blocked in a
// wait that nothing signalled would end. False when that did not happen
// within the time-out.
bool waitForThreadsIdle(uint32_t timeoutMs);

}  // namespace layer
