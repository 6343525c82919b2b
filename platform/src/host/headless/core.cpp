// core.cpp — the headless host's window, input, clock and random
// services, and the controls of platform/testing/core.h that drive them.
#include "host/headless/headless.h"

#include "win32/layer_state.h"

#include "testing/core.h"

#include <SDL.h>

namespace layer::host {

HeadlessHost& headless()
{
    static HeadlessHost h;
    return h;
}

bool HeadlessHost::startVideo()
{
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

Placement HeadlessHost::place(int x, int y, int clientWidth, int clientHeight, int /*frameTop*/)
{
    return {x, y, clientWidth, clientHeight};
}

bool HeadlessHost::hasFocus(const Window& /*window*/) { return focused; }

// An injected rectangle answers for any window, the game's included, before
// or after it exists.
bool HeadlessHost::windowRect(HWND window, RECT& rect)
{
    if (windowRectInjected) {
        rect = injectedWindowRect;
        return true;
    }
    Window* w = windowFor(window);
    if (!w) return false;
    rect = w->outer;
    return true;
}

bool HeadlessHost::cursorPos(POINT& point)
{
    point = cursor;
    return true;
}

bool HeadlessHost::idle()
{
    if (onIdle) onIdle();
    return false;
}

bool HeadlessHost::random(unsigned int& value)
{
    value = static_cast<unsigned int>(randomEngine());
    return true;
}

bool HeadlessHost::startThread(std::function<void()> body, std::thread& thread)
{
    ++threadsAsked;
    return !threadsRefused && startSystemThread(std::move(body), thread);
}

}  // namespace layer::host

namespace testmode {

using layer::state;
using layer::host::headless;

void enable()
{
    layer::host::install(&headless());
    reset();
}

bool enabled() { return layer::host::installed(headless()); }

void reset()
{
    layer::host::HeadlessHost& h = headless();
    h.clock = 0;
    h.cursor = {0, 0};
    h.injectedWindowRect = {0, 0, 0, 0};
    h.windowRectInjected = false;
    h.focused = true;
    h.onIdle = nullptr;
    h.calls.clear();
    h.randomEngine.seed(0);
    h.threadsAsked = 0;
    h.threadsRefused = false;
    state().keys.fill(layer::Key{});
    state().keysRead = false;
    state().queue.clear();
    state().quitPosted = false;
    // As in a new process: the screen saver is no longer held off.
    SetThreadExecutionState(ES_CONTINUOUS);
}

int layerThreadsAsked() { return headless().threadsAsked; }
void refuseLayerThreads(bool on) { headless().threadsRefused = on; }

void setClock(uint32_t ms) { headless().clock = ms; }
void advanceClock(uint32_t ms) { headless().clock += ms; }
uint32_t clockMs() { return headless().clock; }

void setKey(int vk, bool down) { layer::setKeyDown(vk, down); }

// No scan code: an injected key has no physical key behind it.
void postKey(int vk, bool down) { layer::keyChanged(layer::firstWindow(), vk, 0, down); }

void clickCloseBox() { layer::queueMessage(layer::firstWindow(), WM_CLOSE, 0, 0); }

void setCursor(int x, int y) { headless().cursor = {x, y}; }

void setWindowRect(const RECT& rect)
{
    headless().injectedWindowRect = rect;
    headless().windowRectInjected = true;
}

void setMouse(int x, int y)
{
    RECT r{};
    if (headless().windowRectInjected) r = headless().injectedWindowRect;
    else if (layer::Window* w = layer::firstWindow()) r = w->outer;
    setCursor(r.left + x, r.top + y);
}

void resizeClientArea(int width, int height)
{
    layer::Window* w = layer::firstWindow();
    if (!w) return;
    SDL_SetWindowSize(w->sdl, width, height);
    layer::setClientArea(*w, w->client.left, w->client.top, width, height);
}

void setFocus(bool focused)
{
    if (headless().focused == focused) return;
    headless().focused = focused;
    layer::focusChanged(layer::firstWindow(), focused);
}
bool screenSaverAllowed() { return SDL_IsScreenSaverEnabled() == SDL_TRUE; }
void seedRandom(uint32_t seed) { headless().randomEngine.seed(seed); }
void onIdle(std::function<void()> hook) { headless().onIdle = std::move(hook); }
const std::vector<std::string>& calls() { return headless().calls; }
void clearCalls() { headless().calls.clear(); }

}  // namespace testmode
