// window.cpp — window classes and top-level windows on SDL2: RegisterClassA,
// CreateWindowExA, AdjustWindowRect, ShowWindow, UpdateWindow,
// DestroyWindow, GetWindowRect, GetClientRect, DefWindowProcA, icons,
// cursors and ShowCursor. One SDL window per HWND; its client area is the
// SDL window. The layer gives a window the frame of layer_state.h, and
// AdjustWindowRect reports exactly that frame, so that a rectangle grown by
// AdjustWindowRect for the window's real style yields the wanted client area.
#include "win32/layer_state.h"
#include "win32/window_internal.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
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
    return test().enabled ? test().focused : w->focused;
}

bool sdlVideoReady() { return state().videoReady; }

void followDesktopPosition(Window& w)
{
    if (!w.sdl || w.destroyed || test().enabled) return;
    int cx = 0, cy = 0;
    SDL_GetWindowPosition(w.sdl, &cx, &cy);
    const int dx = cx - w.client.left, dy = cy - w.client.top;
    w.client = {w.client.left + dx, w.client.top + dy, w.client.right + dx, w.client.bottom + dy};
    w.outer = {w.outer.left + dx, w.outer.top + dy, w.outer.right + dx, w.outer.bottom + dy};
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
    if (test().enabled) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    } else if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        return false;  // no desktop to show a window on
    }
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // The window's surface stays a plain framebuffer (MIT-SHM on X11): left
    // on, SDL backs it with a renderer, a software OpenGL where there is no GPU.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    // Without a display SDL falls back to drivers that show nothing; a game
    // that nobody can see or close must not start on them.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!test().enabled && driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    state().videoReady = true;
    std::atexit(shutDownVideo);
    return true;
}

struct Placement {
    int x, y, width, height;  // the SDL window: desktop position and size of the client area
    double scale;             // desktop pixels per client pixel the game sees
};

// Fits the window to the desktop: on a screen too small for it the client
// area shrinks to the largest size of the same shape that fits with its
// frame; on a high-density screen it grows with the display's density, so
// that the picture keeps a sensible physical size. The game still sees its
// client area at the size it asked for.
Placement placeOnDesktop(int x, int y, int clientW, int clientH, int frameTop)
{
    Placement p{x, y, clientW, clientH, 1.0};
    if (test().enabled) return p;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return p;
    const double fitW = static_cast<double>(usable.w - 2 * FrameBorder) / clientW;
    const double fitH = static_cast<double>(usable.h - frameTop - FrameBorder) / clientH;
    const double fit = std::max(0.1, std::min(fitW, fitH));
    float ddpi = 0;
    double density = 1.0;
    if (SDL_GetDisplayDPI(0, &ddpi, nullptr, nullptr) == 0 && ddpi > 120.0f) density = ddpi / 96.0;
    p.scale = std::min(density, fit);
    if (p.scale > 0.999 && p.scale < 1.001) p.scale = 1.0;
    p.width = static_cast<int>(clientW * p.scale);
    p.height = p.width * clientH / clientW;
    p.x = std::max(x, usable.x + FrameBorder);
    p.y = std::max(y, usable.y + frameTop);
    return p;
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
    state().classes.push_back({wndClass->lpszClassName, wndClass->lpfnWndProc});
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
    recordCall("CreateWindowExA");
    if (!className) return nullptr;
    auto cls = std::find_if(state().classes.begin(), state().classes.end(), [&](const WindowClass& c) {
        return strcasecmp(c.name.c_str(), className) == 0;
    });
    if (cls == state().classes.end() || !startVideo()) return nullptr;

    const int left = FrameBorder;
    const int top = FrameBorder + (hasCaption(style) ? CaptionHeight : 0);
    const int clientW = std::max(1, width - 2 * FrameBorder);
    const int clientH = std::max(1, height - top - FrameBorder);
    const Placement place = placeOnDesktop(x + left, y + top, clientW, clientH, top);

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

// The window rectangle and the cursor (keyboard.cpp) are reported in the
// client pixels the game sees, measured from the window's top-left corner, so
// that the cursor minus the window's corner is the pointer's position in the
// game's client area at any scale, and the drawn pointer sits exactly under
// the hidden system cursor.
BOOL GetWindowRect(HWND window, LPRECT rect)
{
    if (!rect) return FALSE;
    if (test().enabled && test().windowRectSet) {
        *rect = test().windowRect;
        return TRUE;
    }
    Window* w = windowFor(window);
    if (!w) return FALSE;
    followDesktopPosition(*w);
    *rect = w->outer;
    return TRUE;
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

// The program carries no icon or cursor resources: these are the system's
// defaults, which need no handle of their own here.
HICON LoadIconA(HINSTANCE /*instance*/, LPCSTR /*name*/)
{
    static int defaultIcon;
    return reinterpret_cast<HICON>(&defaultIcon);
}

HCURSOR LoadCursorA(HINSTANCE /*instance*/, LPCSTR /*name*/)
{
    static int arrowCursor;
    return reinterpret_cast<HCURSOR>(&arrowCursor);
}

int ShowCursor(BOOL show)
{
    recordCall(show ? "ShowCursor(TRUE)" : "ShowCursor(FALSE)");
    state().cursorCount += show ? 1 : -1;
    if (state().videoReady) SDL_ShowCursor(state().cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return state().cursorCount;
}
