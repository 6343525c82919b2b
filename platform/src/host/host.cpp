// host.cpp — which host is in charge. The pointer is atomic because the sound
// areas ask for the host from the audio and stream threads too.
#include "host/host.h"

#include "win32/window_internal.h"

#include <SDL.h>

#include <atomic>
#include <system_error>

namespace layer::host {

namespace {
std::atomic<Host*> replacement{nullptr};
}

Host& current()
{
    Host* h = replacement.load();
    return h ? *h : sdlHost();
}

bool Host::display(int index, Placement& bounds, Placement& usable)
{
    SDL_Rect all{}, work{};
    if (SDL_GetDisplayBounds(index, &all) != 0) return false;
    if (SDL_GetDisplayUsableBounds(index, &work) != 0) work = all;
    bounds = {all.x, all.y, all.w, all.h};
    usable = {work.x, work.y, work.w, work.h};
    return true;
}

bool Host::fullscreen(HWND window, bool on)
{
    SDL_Window* sdl = layer::sdlWindow(window);
    return sdl && SDL_SetWindowFullscreen(sdl, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0;
}

void install(Host* host) { replacement.store(host); }

bool installed(const Host& candidate) { return replacement.load() == &candidate; }

bool startSystemThread(std::function<void()> body, std::thread& thread)
{
    try {
        thread = std::thread(std::move(body));
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

}  // namespace layer::host
