// test_window.h — a plain top-level window for tests that need one (the
// graphics device presents to it, input devices ask for its focus) without
// starting the whole game. Default handling only; the class is registered on
// first use.
#pragma once

#include <windows.h>

// An outer size of 1286 × 1053 gives the 1280 × 1024 client area the game's
// back buffer has.
inline HWND createTestWindow(int outerWidth = 1286, int outerHeight = 1053)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "VtTestWindow";
    RegisterClassA(&windowClass);  // fails harmlessly once registered
    return CreateWindowExA(0, "VtTestWindow", "test", WS_CAPTION | WS_SYSMENU, 0, 0, outerWidth, outerHeight, nullptr,
                           nullptr, nullptr, nullptr);
}
