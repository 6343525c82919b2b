// web.cpp — the web host's window, wait, close and kept files (see web.h).
#include "host/web/web.h"

#include "kernel32/kernel32_internal.h"
#include "win32/layer_state.h"

#include <SDL.h>
#include <emscripten.h>

#include <algorithm>
#include <string>
#include <unistd.h>

namespace layer::host {

namespace {

// The page hides the tab: SDL reports nothing the layer turns into a
// message, so the host tells the window it has lost the focus, as a desktop
// does for a window that is minimised or covered; it gets it back when the
// tab shows again.
void followTabVisibility()
{
    static bool hidden = false;
    const bool now = EM_ASM_INT({ return document.hidden ? 1 : 0; }) != 0;
    if (now == hidden) return;
    hidden = now;
    for (Window* w : state().windows) {
        if (w->destroyed || !w->sdl) continue;
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = SDL_GetWindowID(w->sdl);
        event.window.event = hidden ? SDL_WINDOWEVENT_FOCUS_LOST : SDL_WINDOWEVENT_FOCUS_GAINED;
        SDL_PushEvent(&event);
    }
}

// Asks the browser for its full screen, or leaves it; a refusal is the
// browser's to report.
EM_JS(void, askFullscreen, (int on), {
    var page = document.documentElement;
    var refused = function(e) { console.log('Vantorel: full screen: ' + e.message); };
    if (on && !document.fullscreenElement && page.requestFullscreen) page.requestFullscreen().catch(refused);
    if (!on && document.fullscreenElement) document.exitFullscreen().catch(refused);
});

EM_JS(int, inBrowserFullscreen, (), { return document.fullscreenElement ? 1 : 0; });

// The F11 that the game reads as its own request to leave the full screen.
void pressF11()
{
    for (SDL_EventType type : {SDL_KEYDOWN, SDL_KEYUP}) {
        SDL_Event event{};
        event.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.scancode = SDL_SCANCODE_F11;
        event.key.keysym.sym = SDLK_F11;
        for (Window* w : state().windows)
            if (!w->destroyed && w->sdl) event.key.windowID = SDL_GetWindowID(w->sdl);
        SDL_PushEvent(&event);
    }
}

// Takes the lock `name` across the browser's tabs, then reads the page's
// kept folders again from IndexedDB, where another tab may have written.
// Storage the browser refuses leaves the files as they are in memory.
EM_ASYNC_JS(void, holdKeptFiles, (const char* name), { await Module.vtKeptFiles.hold(UTF8ToString(name)); });

// Writes the kept folders back to IndexedDB, then lets the lock go.
EM_ASYNC_JS(void, releaseKeptFiles, (const char* name), { await Module.vtKeptFiles.release(UTF8ToString(name)); });

}  // namespace

Host& sdlHost()
{
    static WebHost web;
    return web;
}

bool WebHost::startVideo()
{
    nameTheApplication();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        OutputDebugStringA((std::string("CreateWindowExA: no video: ") + SDL_GetError() + "\n").c_str());
        return false;
    }
    return true;
}

// The canvas is the client area, as large as the game asks; the page's CSS
// scales it.
Placement WebHost::place(int /*x*/, int /*y*/, int clientWidth, int clientHeight, int /*frameTop*/)
{
    canvas_ = {0, 0, clientWidth, clientHeight};
    return canvas_;
}

bool WebHost::display(int index, Placement& bounds, Placement& usable)
{
    if (index != 0) return false;
    bounds = usable = canvas_;
    return true;
}

// The request runs while the game answers the key, soon enough after it for
// the browser to take it as the player's.
bool WebHost::fullscreen(HWND /*window*/, bool on)
{
    if (on == fullscreen_) return true;
    askFullscreen(on ? 1 : 0);
    // Until the browser has gone full-screen, leaving it is not looked for.
    fullscreen_ = on;
    browserFullscreen_ = false;
    return true;
}

// The game's threads run first (they are coroutines here), then the browser
// has the page's thread until the wait is over: its timers, the audio's
// pulls, the input events SDL queues. The wait is not cut short by input:
// it never lasts longer than the time to the game's next tick.
bool WebHost::waitForInput(DWORD milliseconds)
{
    if (!state().videoReady) return false;
    serviceThreads();
    followTabVisibility();
    // The browser left its full screen (its own Escape): the game hears it.
    if (fullscreen_) {
        if (inBrowserFullscreen()) {
            browserFullscreen_ = true;
        } else if (browserFullscreen_) {
            fullscreen_ = browserFullscreen_ = false;
            pressF11();
        }
    }
    const DWORD longest = 100;
    emscripten_sleep(std::min(milliseconds, longest));
    return true;
}

bool WebHost::random(unsigned int& value) { return getentropy(&value, sizeof value) == 0; }

DWORD WebHost::processId()
{
    static DWORD tab = 0;
    while (tab == 0)
        if (!random(tab)) tab = static_cast<DWORD>(getpid());
    return tab;
}

void WebHost::filesLocked(const std::string& lockFile) { holdKeptFiles(lockFile.c_str()); }

void WebHost::filesUnlocking(const std::string& lockFile) { releaseKeptFiles(lockFile.c_str()); }

}  // namespace layer::host
