// window.cpp — window classes and top-level windows on SDL2: RegisterClassA,
// CreateWindowExA, AdjustWindowRect, ShowWindow, UpdateWindow,
// DestroyWindow, GetWindowRect, GetClientRect, DefWindowProcA, cursors and
// ShowCursor (icons: icons.cpp). One SDL window per HWND; its client area is the
// SDL window. The layer gives a window the frame of layer_state.h, and
// AdjustWindowRect reports exactly that frame, so that a rectangle grown by
// AdjustWindowRect for the window's real style yields the wanted client area.
// The host decides where a window goes and what its rectangle, focus and
// video driver are.
#include "host/host.h"
#include "win32/icons.h"
#include "win32/layer_state.h"
#include "win32/window_internal.h"

#include <algorithm>
#include <cstdlib>
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

}  // namespace

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
    auto cls = std::find_if(state().classes.begin(), state().classes.end(), [&](const WindowClass& c) {
        return strcasecmp(c.name.c_str(), className) == 0;
    });
    if (cls == state().classes.end() || !startVideo()) return nullptr;

    const int left = FrameBorder;
    const int top = FrameBorder + (hasCaption(style) ? CaptionHeight : 0);
    const int clientW = std::max(1, width - 2 * FrameBorder);
    const int clientH = std::max(1, height - top - FrameBorder);
    const host::Placement place = host::current().place(x + left, y + top, clientW, clientH, top);

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
    if (!sdl) return nullptr;
    showClassIcon(sdl, cls->icon);
    auto* w = new Window;
    w->proc = cls->proc;
    w->sdl = sdl;
    w->scale = place.scale;
    w->clientSize = {clientW, clientH};
    w->outer = {place.x - left, place.y - top, place.x - left + width, place.y - top + height};
    w->client = {place.x, place.y, place.x + clientW, place.y + clientH};
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

// The window rectangle and the cursor (GetCursorPos) are reported in the
// client pixels the game sees, measured from the window's top-left corner, so
// that the cursor minus the window's corner is the pointer's position in the
// game's client area at any scale, and the drawn pointer sits exactly under
// the hidden system cursor.
BOOL GetWindowRect(HWND window, LPRECT rect)
{
    return rect && host::current().windowRect(window, *rect) ? TRUE : FALSE;
}

BOOL GetClientRect(HWND window, LPRECT rect)
{
    Window* w = windowFor(window);
    if (!w || !rect) return FALSE;
    *rect = {0, 0, w->clientSize.x, w->clientSize.y};
    return TRUE;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (message == WM_CLOSE) DestroyWindow(window);
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
