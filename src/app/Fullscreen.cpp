// Fullscreen.cpp — placing the game window framed or over its monitor.
#include "app/Fullscreen.h"

#include "app/GameWindow.h"
#include "app/Settings.h"

namespace {

const DWORD FullscreenStyle = WS_POPUP;

bool fullscreen = false;
RECT windowedRect{};  // the framed window's place, kept while full-screen

void placeWindow(HWND window, DWORD style, const RECT& rect)
{
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(style | WS_VISIBLE));
    SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_FRAMECHANGED);
}

}  // namespace

void SetFullscreen(HWND window, bool on)
{
    if (on == fullscreen) return;
    if (!on) {
        placeWindow(window, WindowStyle, windowedRect);
        fullscreen = false;
        return;
    }
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetWindowRect(window, &windowedRect) ||
        !GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        OutputDebugStringA("Vantorel: the window's monitor is unknown; staying in the window\n");
        return;
    }
    placeWindow(window, FullscreenStyle, monitor.rcMonitor);
    fullscreen = true;
}

void ToggleFullscreen(HWND window)
{
    SetFullscreen(window, !fullscreen);
    settings.fullscreen = fullscreen;
}
