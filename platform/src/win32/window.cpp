// window.cpp — window classes and top-level windows on SDL2: RegisterClassA,
// CreateWindowExA, AdjustWindowRect, ShowWindow, UpdateWindow,
// DestroyWindow, GetWindowRect, GetClientRect, SetWindowLongA (the style),
// SetWindowPos, the monitors, DefWindowProcA, cursors and ShowCursor (icons:
// icons.cpp).
// One SDL window per HWND; its client area is the SDL window. The layer gives
// a window the frame of layer_state.h, and AdjustWindowRect reports exactly
// that frame, so that a rectangle grown by AdjustWindowRect for the window's
// real style yields the wanted client area. A frameless popup covering its
// monitor becomes SDL's desktop full-screen window. The host decides where a
// new window goes and what its rectangle, focus and video driver are.
#include "host/host.h"
#include "win32/icons.h"
#include "win32/layer_state.h"
#include "win32/window_internal.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <strings.h>

namespace layer {

State& state()
{
    static State s;
    return s;
}

Window* windowFor(HWND window)
{
    auto* w = reinterpret_cast<Window*>(window);
    for (Window* known : state().windows)
        if (known == w) return known;
    return nullptr;
}

Window* firstWindow()
{
    for (Window* w : state().windows)
        if (!w->destroyed) return w;
    return nullptr;
}

SDL_Window* sdlWindow(HWND window)
{
    Window* w = windowFor(window);
    return w && !w->destroyed ? w->sdl : nullptr;
}

bool windowHasFocus(HWND window)
{
    Window* w = windowFor(window);
    if (!w || w->destroyed) return false;
    return host::current().hasFocus(*w);
}

namespace {

void shutDownVideo()
{
    for (Window* w : state().windows) {
        if (w->sdl) SDL_DestroyWindow(w->sdl);
        delete w;
    }
    state().windows.clear();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

bool startVideo()
{
    if (state().videoReady) return true;
    // Windows leaves the screen saver alone unless a program asks it not to
    // (SetThreadExecutionState); SDL would hold it off all the time.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    if (!host::current().startVideo()) return false;
    state().videoReady = true;
    std::atexit(shutDownVideo);
    return true;
}

// Windows shows a title bar on every overlapped window with a system menu,
// even when the style lacks WS_CAPTION.
bool hasCaption(DWORD style) { return (style & WS_CAPTION) || !(style & WS_POPUP); }

// The frame around the client area: `side` on the left, right and bottom,
// `top` above (the title bar included). A popup without frame styles has none.
struct Frame {
    int side, top;
};

Frame frameOf(DWORD style)
{
    const bool framed =
        (style & (WS_CAPTION | WS_SYSMENU | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) || !(style & WS_POPUP);
    const int side = framed ? FrameBorder : 0;
    return {side, side + (hasCaption(style) ? CaptionHeight : 0)};
}

bool displayBounds(int display, SDL_Rect& bounds)
{
    host::Placement all{}, usable{};
    if (!host::current().display(display, all, usable)) return false;
    bounds = {all.x, all.y, all.width, all.height};
    return true;
}

}  // namespace

void setClientArea(Window& window, int x, int y, int width, int height)
{
    const Frame f = frameOf(window.style);
    window.client = {x, y, x + width, y + height};
    window.outer = {x - f.side, y - f.top, x + width + f.side, y + height + f.side};
}

}  // namespace layer

using namespace layer;

ATOM RegisterClassA(const WNDCLASSA* wndClass)
{
    if (!wndClass || !wndClass->lpszClassName || !wndClass->lpfnWndProc) return 0;
    for (const WindowClass& c : state().classes)
        if (strcasecmp(c.name.c_str(), wndClass->lpszClassName) == 0) return 0;
    state().classes.push_back({wndClass->lpszClassName, wndClass->lpfnWndProc, wndClass->hIcon});
    return static_cast<ATOM>(0xC000 + state().classes.size());
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL /*menu*/)
{
    if (!rect) return FALSE;
    if (style & (WS_CAPTION | WS_SYSMENU | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) {
        rect->left -= FrameBorder;
        rect->right += FrameBorder;
        rect->top -= FrameBorder;
        rect->bottom += FrameBorder;
    }
    if ((style & WS_CAPTION) == WS_CAPTION) rect->top -= CaptionHeight;
    return TRUE;
}

HWND CreateWindowExA(DWORD /*exStyle*/, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND /*parent*/, HMENU /*menu*/, HINSTANCE /*instance*/, LPVOID /*param*/)
{
    host::current().recordCall("CreateWindowExA");
    if (!className) return nullptr;
    auto cls = std::find_if(state().classes.begin(), state().classes.end(),
                            [&](const WindowClass& c) { return strcasecmp(c.name.c_str(), className) == 0; });
    if (cls == state().classes.end() || !startVideo()) return nullptr;

    const Frame f = frameOf(style);
    const int clientW = std::max(1, width - 2 * f.side);
    const int clientH = std::max(1, height - f.top - f.side);
    const host::Placement place = host::current().place(x + f.side, y + f.top, clientW, clientH, f.top);

    // A window presented through a renderer is made ready for OpenGL where the
    // desktop has it, so that the renderer does not have to replace the
    // window (a visible flash) when it starts; one presented through its own
    // surface loads no OpenGL at all.
    const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
    const char* title = windowName ? windowName : "";
    SDL_Window* sdl = nullptr;
    if (presentsThroughRenderer())
        sdl = SDL_CreateWindow(title, place.x, place.y, place.width, place.height, flags | SDL_WINDOW_OPENGL);
    if (!sdl) sdl = SDL_CreateWindow(title, place.x, place.y, place.width, place.height, flags);
    if (!sdl) {
        OutputDebugStringA((std::string("CreateWindowExA: ") + SDL_GetError() + "\n").c_str());
        return nullptr;
    }
    showClassIcon(sdl, cls->icon);
    auto* w = new Window;
    w->proc = cls->proc;
    w->sdl = sdl;
    w->style = style;
    setClientArea(*w, place.x, place.y, place.width, place.height);
    state().windows.push_back(w);
    return reinterpret_cast<HWND>(w);
}

bool layer::presentsThroughRenderer()
{
    const char* asked = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    const char* driver = SDL_GetCurrentVideoDriver();
    return (asked && *asked) || (driver && std::strcmp(driver, "wayland") == 0);
}

BOOL ShowWindow(HWND window, int showCommand)
{
    Window* w = windowFor(window);
    if (!w || w->destroyed) return FALSE;
    if (showCommand == SW_HIDE) {
        SDL_HideWindow(w->sdl);
    } else {
        SDL_ShowWindow(w->sdl);
        SDL_RaiseWindow(w->sdl);
    }
    return TRUE;
}

BOOL UpdateWindow(HWND window)
{
    Window* w = windowFor(window);
    return w && !w->destroyed ? TRUE : FALSE;
}

BOOL DestroyWindow(HWND window)
{
    Window* w = windowFor(window);
    if (!w || w->destroyed) return FALSE;
    if (w->proc) w->proc(window, WM_DESTROY, 0, 0);
    // The SDL window is hidden now and freed when the layer shuts down, so
    // that a device still holding it never sees a dangling window.
    w->destroyed = true;
    SDL_HideWindow(w->sdl);
    return TRUE;
}

// The cursor (GetCursorPos) is reported measured from the window's top-left
// corner, so that the cursor minus the window's corner is the cursor's place
// in the client area, in the client area's own pixels.
BOOL GetWindowRect(HWND window, LPRECT rect)
{
    return rect && host::current().windowRect(window, *rect) ? TRUE : FALSE;
}

// The client area as it is now, whatever size the desktop gave it.
BOOL GetClientRect(HWND window, LPRECT rect)
{
    Window* w = windowFor(window);
    if (!w || !rect) return FALSE;
    int width = 0, height = 0;
    SDL_GetWindowSize(w->sdl, &width, &height);
    *rect = {0, 0, width, height};
    return TRUE;
}

// The style takes effect at the next SetWindowPos, as SWP_FRAMECHANGED has it
// on Windows.
LONG SetWindowLongA(HWND window, int index, LONG value)
{
    Window* w = windowFor(window);
    if (!w || w->destroyed || index != GWL_STYLE) return 0;
    const LONG previous = static_cast<LONG>(w->style);
    w->style = static_cast<DWORD>(value);
    return previous;
}

// Every window is alone in its z-order here, so `insertAfter` and the flags
// change nothing: the window takes its style's frame and the rectangle.
BOOL SetWindowPos(HWND window, HWND /*insertAfter*/, int x, int y, int width, int height, UINT /*flags*/)
{
    Window* w = windowFor(window);
    if (!w || w->destroyed) return FALSE;
    const Frame f = frameOf(w->style);
    SDL_Rect monitor{};
    const int display = SDL_GetWindowDisplayIndex(w->sdl);
    const bool coversMonitor = f.top == 0 && displayBounds(display < 0 ? 0 : display, monitor) && x == monitor.x &&
                               y == monitor.y && width == monitor.w && height == monitor.h;
    if (!coversMonitor) host::current().fullscreen(window, false);
    // The window takes the rectangle itself first: with no window manager to
    // carry out SDL's full-screen request, that alone covers the monitor.
    SDL_SetWindowBordered(w->sdl, f.top > 0 ? SDL_TRUE : SDL_FALSE);
    const int clientW = std::max(1, width - 2 * f.side);
    const int clientH = std::max(1, height - f.top - f.side);
    SDL_SetWindowSize(w->sdl, clientW, clientH);
    SDL_SetWindowPosition(w->sdl, x + f.side, y + f.top);
    setClientArea(*w, x + f.side, y + f.top, clientW, clientH);
    if (coversMonitor && !host::current().fullscreen(window, true)) {
        OutputDebugStringA("user32: SetWindowPos: the window could not go full-screen\n");
        return FALSE;
    }
    return TRUE;
}

// A monitor is SDL's display index + 1.
HMONITOR MonitorFromWindow(HWND window, DWORD /*flags*/)
{
    Window* w = windowFor(window);
    const int display = w && !w->destroyed ? SDL_GetWindowDisplayIndex(w->sdl) : 0;
    return reinterpret_cast<HMONITOR>(static_cast<intptr_t>(std::max(display, 0) + 1));
}

BOOL GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO info)
{
    if (!info || info->cbSize < sizeof(MONITORINFO)) return FALSE;
    const int display = static_cast<int>(reinterpret_cast<intptr_t>(monitor)) - 1;
    host::Placement bounds{}, work{};
    if (!state().videoReady || !host::current().display(display, bounds, work)) return FALSE;
    info->rcMonitor = {bounds.x, bounds.y, bounds.x + bounds.width, bounds.y + bounds.height};
    info->rcWork = {work.x, work.y, work.x + work.width, work.y + work.height};
    info->dwFlags = display == 0 ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (message == WM_CLOSE && host::current().closesOnRequest()) DestroyWindow(window);
    return 0;
}

// The program carries no cursor resources: this is the system's default,
// which needs no handle of its own here. (LoadIconA: icons.cpp.)
HCURSOR LoadCursorA(HINSTANCE /*instance*/, LPCSTR /*name*/)
{
    static int arrowCursor;
    return reinterpret_cast<HCURSOR>(&arrowCursor);
}

int ShowCursor(BOOL show)
{
    host::current().recordCall(show ? "ShowCursor(TRUE)" : "ShowCursor(FALSE)");
    state().cursorCount += show ? 1 : -1;
    if (state().videoReady) SDL_ShowCursor(state().cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return state().cursorCount;
}
