// layer_state.h — state shared by the win32 area of the platform layer and
// the hosts that serve it: the window table, the message queue, key and mouse
// state. Other areas use window_internal.h.
#pragma once

#include <windows.h>

#include <SDL.h>

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace layer {

// The frame the layer gives a top-level window, in pixels. A window with a
// caption (WS_CAPTION) gets a title bar; every window with WS_SYSMENU is shown
// with one, as on Windows, whether or not the style asked for it.
constexpr int FrameBorder = 3;
constexpr int CaptionHeight = 23;

struct WindowClass {
    std::string name;
    WNDPROC proc = nullptr;
    HICON icon = nullptr;
};

struct Window {
    WNDPROC proc = nullptr;
    SDL_Window* sdl = nullptr;
    // Desktop rectangles of the client area and of the window around it
    // (the client area grown by the frame its style gives).
    RECT outer{};
    RECT client{};
    DWORD style = 0;
    bool destroyed = false;
    bool focused = true;
};

// A key or mouse button as GetKeyState and GetAsyncKeyState read it
// (keyboard.cpp tells how a tap reads).
struct Key {
    bool down = false;     // physically down
    bool unread = false;   // pressed since the last tick's reads
    bool tap = false;      // released while unread: reads down until the reads of a tick end
    bool toggled = false;  // flips at every press (GetKeyState's bit 0)
};

struct State {
    std::vector<WindowClass> classes;
    std::vector<Window*> windows;
    std::deque<MSG> queue;
    bool quitPosted = false;
    int quitCode = 0;
    std::array<Key, 256> keys{};
    bool keysRead = false;  // a read since the last pass of the message loop
    int cursorCount = 0;    // ShowCursor's display counter
    bool videoReady = false;
};

State& state();
Window* windowFor(HWND window);
// The first window not yet destroyed: the one the game made.
Window* firstWindow();
// Moves the window's rectangles to a client area at (x, y) of that size.
void setClientArea(Window& window, int x, int y, int width, int height);
// Maps an SDL key to a Windows virtual-key code; 0 when it has none.
int virtualKeyFor(SDL_Scancode scancode);
// The code a key message carries: letters and the minus and plus keys as the
// layout labels them, every other key by its place (virtualKeyFor).
int virtualKeyForMessage(const SDL_Keysym& key);

// A press or release of virtual key `vk` (1–255); returns whether it was
// physically down before.
bool setKeyDown(int vk, bool down);
// Every key up, as when the window loses the focus.
void releaseAllKeys();
// Once a tick has read keys, the taps it saw down end and no press counts as
// unread any more. Runs at every pass of the message loop and before every
// key event.
void endReadTaps();

// Feeds SDL's pending events into the message queue and the key table.
void pumpEvents();

// Queues a message for the window (nothing for none), stamped with the clock.
void queueMessage(Window* window, UINT message, WPARAM wParam, LPARAM lParam);
// A key press or release reaching the window: the key table, and the
// WM_KEYDOWN / WM_KEYUP (WM_SYSKEYDOWN / WM_SYSKEYUP for system keys) with
// the lParam Windows builds for it. The message carries `messageVk` when
// given (the key as the layout labels it), else `vk`.
void keyChanged(Window* window, int vk, int scanCode, bool down, int messageVk = 0);
// The window gaining or losing the focus, as Windows tells it: WM_ACTIVATE
// then WM_SETFOCUS or WM_KILLFOCUS; on a loss every key is let go first.
void focusChanged(Window* window, bool gained);

}  // namespace layer
