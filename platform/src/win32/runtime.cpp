// runtime.cpp — the runtime and kernel services the game reads directly:
// clock() as the Windows runtime gives it (milliseconds of wall time since
// the process started; glibc's clock() counts processor time instead),
// rand_s (the operating system's random source), OutputDebugStringA (the
// debug trace, written to standard error), GetModuleHandleA, the stock GDI
// objects, and the system timer's resolution.
#include "win32/layer_state.h"

#include <mmsystem.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <sys/random.h>

namespace layer {

namespace {

const auto processStart = std::chrono::steady_clock::now();

std::mt19937& testRandom()
{
    static std::mt19937 engine(0);
    return engine;
}

}  // namespace

void seedTestRandom(uint32_t seed) { testRandom().seed(seed); }

}  // namespace layer

using namespace layer;

// Replaces the C library's clock() for the whole program: the game's frame
// clock counts wall-clock milliseconds.
extern "C" clock_t clock(void) noexcept
{
    if (test().enabled) return static_cast<clock_t>(test().clockMs);
    const auto elapsed = std::chrono::steady_clock::now() - processStart;
    return static_cast<clock_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

// Windows wakes sleepers on a 15.6 ms timer unless a program asks for a finer
// one; here sleeps and waits already end within a fraction of a millisecond,
// so there is nothing to change.
MMRESULT timeBeginPeriod(UINT period) { return period == 0 ? TIMERR_NOCANDO : TIMERR_NOERROR; }
MMRESULT timeEndPeriod(UINT period) { return period == 0 ? TIMERR_NOCANDO : TIMERR_NOERROR; }

errno_t rand_s(unsigned int* value)
{
    if (!value) return 22;  // EINVAL
    if (test().enabled) {
        *value = static_cast<unsigned int>(testRandom()());
        return 0;
    }
    unsigned int r = 0;
    if (getrandom(&r, sizeof r, 0) != static_cast<ssize_t>(sizeof r)) {
        *value = 0;
        return 5;  // EIO
    }
    *value = r;
    return 0;
}

void OutputDebugStringA(LPCSTR text)
{
    if (!text) return;
    std::fputs(text, stderr);
    std::fflush(stderr);
}

HMODULE GetModuleHandleA(LPCSTR moduleName)
{
    static int processModule;
    return moduleName ? nullptr : reinterpret_cast<HMODULE>(&processModule);
}

HGDIOBJ GetStockObject(int object)
{
    static int blackBrush;
    static LOGFONTA systemFont = {16, 7, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, 0,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "System"};
    switch (object) {
    case BLACK_BRUSH: return &blackBrush;
    case SYSTEM_FONT: return &systemFont;
    default: return nullptr;
    }
}

int GetObjectA(HGDIOBJ object, int size, LPVOID buffer)
{
    if (!object || object != GetStockObject(SYSTEM_FONT)) return 0;
    const int full = static_cast<int>(sizeof(LOGFONTA));
    if (!buffer) return full;
    const int n = size < full ? size : full;
    if (n <= 0) return 0;
    std::memcpy(buffer, object, static_cast<size_t>(n));
    return n;
}
