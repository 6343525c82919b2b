// GameWindow.cpp — the window class "ORV2010" and the one game window: a
// title bar with a close box, no minimise or maximise box, not resizable, a
// client area of exactly 1280 × 1024; F11 or Alt+Enter switch it to a
// frameless window covering its monitor (Fullscreen).
//
// Quitting runs one road: Escape or the close box → WM_CLOSE → the default
// handling destroys the window → WM_DESTROY posts the quit message.
// The pause and sound keys and the focus messages go to the scene's requests
// (PlayerRequests); a device plugged in or pulled out has the pads looked for
// again, as a Windows program does on WM_DEVICECHANGE.
#include "app/GameWindow.h"

#include "app/Fullscreen.h"

#include "Version.h"

#include <dbt.h>

#include "app/PlayerRequests.h"
#include "framework/input/Input.h"

namespace {

const char* const ClassName = "ORV2010";

}  // namespace

HWND CreateMainWindow(HINSTANCE instance, int showCommand)
{
    WNDCLASSA wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WndProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(32512));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = ClassName;
    RegisterClassA(&wc);

    RECT rect = {0, 0, ClientWidth, ClientHeight};
    AdjustWindowRect(&rect, WindowStyle, FALSE);
    HWND window = CreateWindowExA(0, ClassName, WindowCaption, WindowStyle, 0, 0, rect.right - rect.left,
                                  rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
    if (!window) return nullptr;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return window;
}

LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    countKeyPress(message, lParam);
    switch (message) {
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            PostMessageA(window, WM_CLOSE, 0, 0);
            return 0;
        }
        if (wParam == VK_F1) return 0;
        if (wParam == VK_F11) {
            if (!(lParam & KeyWasDown)) ToggleFullscreen(window);
            return 0;
        }
        if (hearPlayerRequest(message, wParam, lParam)) return 0;
        break;
    case WM_SYSKEYDOWN:
        if (wParam == VK_RETURN) {
            if (!(lParam & KeyWasDown)) ToggleFullscreen(window);
            return 0;
        }
        break;
    case WM_DEVICECHANGE:
        if (wParam == DBT_DEVNODES_CHANGED && input) input->findPads();
        return TRUE;
    default: hearPlayerRequest(message, wParam, lParam); break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
