// window.cpp — the sdl host's window, input, clock and random services (see
// sdl.h for what the host provides and leaves out).
#include "host/sdl/sdl.h"

#include "win32/layer_state.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/random.h>
#include <unistd.h>

namespace layer::host {

namespace {

const auto processStart = std::chrono::steady_clock::now();

// The window's rectangles follow wherever the user or the window manager has
// moved the window and whatever size it has given it.
void followDesktop(Window& w)
{
    if (!w.sdl || w.destroyed) return;
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(w.sdl, &x, &y);
    SDL_GetWindowSize(w.sdl, &width, &height);
    setClientArea(w, x, y, width, height);
}

}  // namespace

// The desktop knows the game by its id and name: X11's WM_CLASS and
// Wayland's app id (which tie the window to the desktop entry and its icon),
// the application's name, and the audio stream's name and role in the sound
// settings. A value the user set in the environment stays.
void nameTheApplication()
{
    setenv("SDL_VIDEO_X11_WMCLASS", VT_APP_ID, 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", VT_APP_ID, 0);
    SDL_SetHintWithPriority(SDL_HINT_APP_NAME, VT_APP_NAME, SDL_HINT_DEFAULT);
    SDL_SetHintWithPriority(SDL_HINT_AUDIO_DEVICE_APP_NAME, VT_APP_NAME, SDL_HINT_DEFAULT);
    SDL_SetHintWithPriority(SDL_HINT_AUDIO_DEVICE_STREAM_ROLE, "game", SDL_HINT_DEFAULT);
}

bool SdlHost::startVideo()
{
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) return false;
    nameTheApplication();
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // The window's surface stays a plain framebuffer (MIT-SHM on X11): left
    // on, SDL backs it with a renderer, a software OpenGL where there is no GPU.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        OutputDebugStringA((std::string("CreateWindowExA: no video: ") + SDL_GetError() + "\n").c_str());
        return false;
    }
    // Without a display SDL falls back to drivers that show nothing; a game
    // that nobody can see or close must not start on them.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        OutputDebugStringA(
            (std::string("CreateWindowExA: no display to show the window on (SDL's video driver: ") + driver + ")\n")
                .c_str());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    return true;
}

// Fits the window to the desktop: on a screen too small for it the client
// area shrinks to the largest size of the same shape that fits with its
// frame; on a high-density screen it grows with the display's density, so
// that the picture keeps a sensible physical size. The game sees the client
// area as it is and places its picture in it.
Placement SdlHost::place(int x, int y, int clientWidth, int clientHeight, int frameTop)
{
    Placement p{x, y, clientWidth, clientHeight};
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return p;
    const double fitW = static_cast<double>(usable.w - 2 * FrameBorder) / clientWidth;
    const double fitH = static_cast<double>(usable.h - frameTop - FrameBorder) / clientHeight;
    const double fit = std::max(0.1, std::min(fitW, fitH));
    float ddpi = 0;
    double density = 1.0;
    if (SDL_GetDisplayDPI(0, &ddpi, nullptr, nullptr) == 0 && ddpi > 120.0f) density = ddpi / 96.0;
    double scale = std::min(density, fit);
    if (scale > 0.999 && scale < 1.001) scale = 1.0;
    p.width = static_cast<int>(clientWidth * scale);
    p.height = p.width * clientHeight / clientWidth;
    p.x = std::max(x, usable.x + FrameBorder);
    p.y = std::max(y, usable.y + frameTop);
    return p;
}

bool SdlHost::hasFocus(const Window& window) { return window.focused; }

bool SdlHost::windowRect(HWND window, RECT& rect)
{
    Window* w = windowFor(window);
    if (!w) return false;
    followDesktop(*w);
    rect = w->outer;
    return true;
}

bool SdlHost::cursorPos(POINT& point)
{
    if (!state().videoReady) return false;
    // Over the window (or dragging from it) SDL's window-relative position
    // follows every motion event; elsewhere the desktop position is asked for.
    SDL_Window* focus = SDL_GetMouseFocus();
    for (Window* w : state().windows) {
        if (w->destroyed) continue;
        followDesktop(*w);
        int x = 0, y = 0;
        if (focus == w->sdl) {
            SDL_GetMouseState(&x, &y);
        } else {
            SDL_GetGlobalMouseState(&x, &y);
            x -= w->client.left;
            y -= w->client.top;
        }
        // Measured from the window's top-left corner (see GetWindowRect).
        point.x = w->outer.left + x;
        point.y = w->outer.top + y;
        return true;
    }
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    point = {x, y};
    return true;
}

bool SdlHost::waitForInput(DWORD milliseconds)
{
    if (!state().videoReady) return false;
    // A null event waits without taking the event: PeekMessageA's pump
    // translates it.
    const int timeout = milliseconds == INFINITE ? -1 : static_cast<int>(std::min<DWORD>(milliseconds, INT32_MAX));
    return SDL_WaitEventTimeout(nullptr, timeout) == 1;
}

bool SdlHost::messagesCanArrive() { return state().videoReady; }

clock_t SdlHost::clockMs()
{
    const auto elapsed = std::chrono::steady_clock::now() - processStart;
    return static_cast<clock_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

bool SdlHost::random(unsigned int& value)
{
    return getrandom(&value, sizeof value, 0) == static_cast<ssize_t>(sizeof value);
}

DWORD SdlHost::processId() { return static_cast<DWORD>(getpid()); }

}  // namespace layer::host
