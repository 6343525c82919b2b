// kernel32_internal.h — what the kernel32 area offers the rest of the layer:
// a way to let the game's threads catch up after they were signalled (the
// headless host's audio, rendered at the caller's pace, waits here after each
// notification, as a real device's steady pace would let them), and the turn
// that a build without threads gives them at the message loop's wait.
#pragma once

#include <cstdint>
#include <functional>

namespace layer {

// Waits until every thread made by CreateThread has ended or is blocked in a
// wait that nothing signalled would end. False when that did not happen
// within the time-out.
bool waitForThreadsIdle(uint32_t timeoutMs);

// Waits until `holds` is true, looking again at each change in the threads
// made by CreateThread (one is signalled, waits or ends). `holds` runs with
// the kernel's lock held, so it may read only what needs no lock. False when
// it did not hold within the time-out.
bool waitForThreads(const std::function<bool()>& holds, uint32_t timeoutMs);

// Where the threads are coroutines (a build without threads,
// scheduler_cooperative.cpp): called from the program's own thread where it
// waits for input, runs every thread made by CreateThread that can go on,
// until each waits again or has ended.
void serviceThreads();

}  // namespace layer
