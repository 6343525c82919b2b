// testmode.cpp — the test-mode switches of the layer's core (testing/core.h).
#include "win32/layer_state.h"
#include "win32/window_internal.h"

#include "testing/core.h"

namespace layer {

TestState& test()
{
    static TestState t;
    return t;
}

bool testModeEnabled() { return test().enabled; }

void recordCall(const std::string& call)
{
    if (test().enabled) test().calls.push_back(call);
}

void seedTestRandom(uint32_t seed);

namespace {

void queue(UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* w = firstWindow();
    if (!w) return;
    MSG msg{};
    msg.hwnd = reinterpret_cast<HWND>(w);
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    state().queue.push_back(msg);
}

}  // namespace

}  // namespace layer

namespace testmode {

using namespace layer;

void enable()
{
    test().enabled = true;
    reset();
}

bool enabled() { return test().enabled; }

void reset()
{
    TestState& t = test();
    t.clockMs = 0;
    t.cursor = {0, 0};
    t.cursorSet = false;
    t.windowRect = {0, 0, 0, 0};
    t.windowRectSet = false;
    t.focused = true;
    t.onIdle = nullptr;
    t.calls.clear();
    state().keys.fill(Key{});
    state().keysRead = false;
    state().queue.clear();
    state().quitPosted = false;
    seedTestRandom(0);
}

void setClock(uint32_t ms) { test().clockMs = ms; }
void advanceClock(uint32_t ms) { test().clockMs += ms; }
uint32_t clockMs() { return test().clockMs; }

void setKey(int vk, bool down) { setKeyDown(vk, down); }

void postKey(int vk, bool down)
{
    const bool wasDown = setKeyDown(vk, down);
    LPARAM lParam = 1;
    if (wasDown) lParam |= LPARAM(1) << 30;
    if (!down) lParam |= (LPARAM(1) << 30) | (LPARAM(1) << 31);
    queue(down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(vk), lParam);
}

void clickCloseBox() { queue(WM_CLOSE, 0, 0); }

void setCursor(int x, int y)
{
    test().cursor = {x, y};
    test().cursorSet = true;
}

void setWindowRect(const RECT& rect)
{
    test().windowRect = rect;
    test().windowRectSet = true;
}

void setMouse(int x, int y)
{
    RECT r{};
    if (test().windowRectSet) r = test().windowRect;
    else if (Window* w = firstWindow()) r = w->outer;
    setCursor(r.left + x, r.top + y);
}

void setFocus(bool focused) { test().focused = focused; }
void seedRandom(uint32_t seed) { seedTestRandom(seed); }
void onIdle(std::function<void()> hook) { test().onIdle = std::move(hook); }
const std::vector<std::string>& calls() { return test().calls; }
void clearCalls() { test().calls.clear(); }

}  // namespace testmode
