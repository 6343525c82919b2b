// core.h — test mode of the platform layer's core: switch it on before
// start-up, then drive the virtual clock, the keys, the mouse and the window
// messages by hand. SDL's "dummy" video driver stands in for a display.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testmode {

// Switches test mode on (the headless host): headless video, virtual clock at
// 0, keys up, no injected cursor or window rectangle. Call before the game
// starts up.
void enable();
bool enabled();
// Back to the state enable() gives, keeping test mode on; drops queued
// messages and the call log.
void reset();

// The virtual clock that clock() returns, in milliseconds.
void setClock(uint32_t ms);
void advanceClock(uint32_t ms);
uint32_t clockMs();

// Key and mouse-button state as GetKeyState and GetAsyncKeyState read it
// (Windows virtual-key codes, VK_LBUTTON and VK_RBUTTON included), as a
// real press or release: a press and release with no tick between them read
// as a press held for the next tick.
void setKey(int vk, bool down);
// A key press or release as the real window delivers it: the key state and a
// queued WM_KEYDOWN / WM_KEYUP for the first window.
void postKey(int vk, bool down);
// The close box: a queued WM_CLOSE for the first window.
void clickCloseBox();

// GetCursorPos in desktop coordinates, GetWindowRect of every window, and the
// two together: setMouse puts the cursor at (x, y) from the window
// rectangle's top-left corner, the position the game computes.
void setCursor(int x, int y);
void setWindowRect(const RECT& rect);
void setMouse(int x, int y);

// The first window's client area resized in place, as a window manager or
// the user does it.
void resizeClientArea(int width, int height);

// Focus of every window, as windowHasFocus reports it to the input devices.
// A change also reaches the first window as the real one does (WM_ACTIVATE,
// then WM_SETFOCUS or WM_KILLFOCUS; every key let go on a loss).
void setFocus(bool focused);

// Whether the desktop's screen saver may start (SetThreadExecutionState holds
// it off; SDL's dummy video keeps the state as a real desktop would).
bool screenSaverAllowed();

// Threads the layer starts for work of its own (the drawing helper, the
// start-up image worker; not CreateThread's): how many it asked for since
// enable() or reset(), and a machine that refuses every one (off after
// reset()).
int layerThreadsAsked();
void refuseLayerThreads(bool on);

// rand_s draws from a Mersenne Twister seeded here (seed 0 after enable()).
void seedRandom(uint32_t seed);

// Runs whenever PeekMessageA finds the queue empty, before it answers; lets a
// test move the clock or inject input between passes of the message loop.
void onIdle(std::function<void()> hook);

// Platform calls recorded in order (window creation, device and sound start-up
// and shut-down), for tests of call orders.
const std::vector<std::string>& calls();
void clearCalls();

}  // namespace testmode
