// runtime.cpp — the runtime and kernel services the game reads directly:
// clock() as the Windows runtime gives it (milliseconds since the process
// started, from the host; glibc's clock() counts processor time instead),
// rand_s (the host's random source), OutputDebugStringA (the debug trace,
// written to standard error), GetModuleHandleA, the stock GDI objects, and
// the system timer's resolution.
#include "host/host.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstring>
#include <ctime>

// Replaces the C library's clock() for the whole program: the game's frame
// clock counts milliseconds since start. Whether it may throw follows the
// C library's own (glibc declares it noexcept, Emscripten's musl does not).
extern "C" clock_t clock(void) noexcept(noexcept(clock())) { return layer::host::current().clockMs(); }

// Windows wakes sleepers on a 15.6 ms timer unless a program asks for a finer
// one; here sleeps and waits already end within a fraction of a millisecond,
// so there is nothing to change.
MMRESULT timeBeginPeriod(UINT period) { return period == 0 ? TIMERR_NOCANDO : TIMERR_NOERROR; }
MMRESULT timeEndPeriod(UINT period) { return period == 0 ? TIMERR_NOCANDO : TIMERR_NOERROR; }

errno_t rand_s(unsigned int* value)
{
    if (!value) return 22;  // EINVAL
    unsigned int r = 0;
    if (!layer::host::current().random(r)) {
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
    static LOGFONTA systemFont = {16,
                                  7,
                                  0,
                                  0,
                                  FW_BOLD,
                                  0,
                                  0,
                                  0,
                                  DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS,
                                  0,
                                  DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE,
                                  "System"};
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
