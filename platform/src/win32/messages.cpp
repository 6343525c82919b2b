// messages.cpp — the thread's message queue: PeekMessageA, GetMessageA,
// TranslateMessage, DispatchMessageA, PostMessageA, PostQuitMessage. SDL's
// events are turned into window messages (keys as WM_KEYDOWN / WM_KEYUP, or
// WM_SYSKEYDOWN / WM_SYSKEYUP while Alt is held, with Windows virtual-key
// codes, mouse buttons, the close box as WM_CLOSE, the focus as WM_ACTIVATE
// with WM_SETFOCUS / WM_KILLFOCUS, minimising as WM_SIZE, a joystick plugged
// in or pulled out as WM_DEVICECHANGE) and keep the key table that
// GetKeyState and GetAsyncKeyState read.
//
// As on Windows, a key message carries the key the layout puts on the cap
// (virtualKeyForMessage), while the key table keeps keys by their place.
//
// PeekMessageA never waits (the headless host runs its caller's idle hook
// when the queue is empty); MsgWaitForMultipleObjects is the one wait, which
// the host carries out: on SDL's event queue with a timeout, or, headless, by
// moving the virtual clock on by the timeout.
#include "host/host.h"
#include "win32/layer_state.h"

#include <dbt.h>

namespace layer {

namespace {

Window* windowOfSdl(Uint32 windowId)
{
    for (Window* w : state().windows)
        if (!w->destroyed && w->sdl && SDL_GetWindowID(w->sdl) == windowId) return w;
    return nullptr;
}

void keyEvent(const SDL_KeyboardEvent& key)
{
    const int vk = virtualKeyFor(key.keysym.scancode);
    if (vk == 0) return;
    keyChanged(windowOfSdl(key.windowID), vk, key.keysym.scancode, key.state == SDL_PRESSED,
               virtualKeyForMessage(key.keysym));
}

void buttonEvent(const SDL_MouseButtonEvent& button)
{
    int vk = 0;
    UINT message = 0;
    const bool down = button.state == SDL_PRESSED;
    switch (button.button) {
    case SDL_BUTTON_LEFT:
        vk = VK_LBUTTON;
        message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        break;
    case SDL_BUTTON_RIGHT:
        vk = VK_RBUTTON;
        message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        break;
    case SDL_BUTTON_MIDDLE:
        vk = VK_MBUTTON;
        message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        break;
    default: return;
    }
    setKeyDown(vk, down);
    queueMessage(windowOfSdl(button.windowID), message, 0, MAKELONG(button.x, button.y));
}

void windowEvent(const SDL_WindowEvent& event)
{
    Window* w = windowOfSdl(event.windowID);
    if (!w) return;
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE: queueMessage(w, WM_CLOSE, 0, 0); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        w->focused = true;
        focusChanged(w, true);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        w->focused = false;
        focusChanged(w, false);
        break;
    case SDL_WINDOWEVENT_MINIMIZED: queueMessage(w, WM_SIZE, SIZE_MINIMIZED, 0); break;
    default: break;
    }
}

void translate(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: keyEvent(event.key); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: buttonEvent(event.button); break;
    case SDL_WINDOWEVENT: windowEvent(event.window); break;
    case SDL_QUIT: queueMessage(firstWindow(), WM_CLOSE, 0, 0); break;
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED: queueMessage(firstWindow(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0); break;
    default: break;
    }
}

bool takeMessage(LPMSG msg, bool remove)
{
    if (!state().queue.empty()) {
        *msg = state().queue.front();
        if (remove) state().queue.pop_front();
        return true;
    }
    if (state().quitPosted) {
        *msg = MSG{};
        msg->message = WM_QUIT;
        msg->wParam = static_cast<WPARAM>(state().quitCode);
        if (remove) state().quitPosted = false;
        return true;
    }
    return false;
}

}  // namespace

void queueMessage(Window* window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!window) return;
    MSG msg{};
    msg.hwnd = reinterpret_cast<HWND>(window);
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = static_cast<DWORD>(host::current().clockMs());
    state().queue.push_back(msg);
}

void focusChanged(Window* window, bool gained)
{
    if (gained) {
        queueMessage(window, WM_ACTIVATE, WA_ACTIVE, 0);
        queueMessage(window, WM_SETFOCUS, 0, 0);
        return;
    }
    // Keys released while another window has the focus never reach us.
    releaseAllKeys();
    queueMessage(window, WM_ACTIVATE, WA_INACTIVE, 0);
    queueMessage(window, WM_KILLFOCUS, 0, 0);
}

void keyChanged(Window* window, int vk, int scanCode, bool down, int messageVk)
{
    const bool wasDown = setKeyDown(vk, down);
    // As on Windows, Alt itself, any key while Alt is held without Control,
    // and F10 are system keys: WM_SYSKEYDOWN / WM_SYSKEYUP, with the context
    // code (bit 29) set while Alt is down.
    const Key* keys = state().keys.data();
    const bool altDown = keys[VK_LMENU].down || keys[VK_RMENU].down;
    const bool controlDown = keys[VK_LCONTROL].down || keys[VK_RCONTROL].down;
    const bool system = vk == VK_LMENU || vk == VK_RMENU || vk == VK_F10 || (altDown && !controlDown);
    // Repeat count 1, the scan code, the previous key state in bit 30 and the
    // transition state in bit 31.
    LPARAM lParam = 1 | (static_cast<LPARAM>(scanCode & 0xFF) << 16);
    if (altDown && !controlDown) lParam |= LPARAM(1) << 29;
    if (wasDown) lParam |= LPARAM(1) << 30;
    if (!down) lParam |= (LPARAM(1) << 30) | (LPARAM(1) << 31);
    const UINT message = system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    queueMessage(window, message, static_cast<WPARAM>(messageVk ? messageVk : vk), lParam);
}

void pumpEvents()
{
    if (!state().videoReady) return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) translate(event);
}

}  // namespace layer

using namespace layer;

BOOL PeekMessageA(LPMSG msg, HWND /*window*/, UINT /*filterMin*/, UINT /*filterMax*/, UINT removeMsg)
{
    if (!msg) return FALSE;
    endReadTaps();
    pumpEvents();
    if (takeMessage(msg, removeMsg & PM_REMOVE)) return TRUE;
    if (host::current().idle()) pumpEvents();
    return takeMessage(msg, removeMsg & PM_REMOVE) ? TRUE : FALSE;
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* /*handles*/, BOOL /*waitAll*/, DWORD milliseconds,
                                DWORD /*wakeMask*/)
{
    // Only the message queue can be waited on: the game passes no handles.
    if (count != 0) return WAIT_FAILED;
    pumpEvents();
    if (!state().queue.empty() || state().quitPosted) return WAIT_OBJECT_0;
    if (!host::current().messagesCanArrive()) return WAIT_FAILED;
    // Any input ends the wait, as on Windows, whether or not it becomes a
    // message.
    if (!host::current().waitForInput(milliseconds)) return WAIT_TIMEOUT;
    pumpEvents();
    return WAIT_OBJECT_0;
}

BOOL GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax)
{
    if (!msg) return -1;
    while (!PeekMessageA(msg, window, filterMin, filterMax, PM_REMOVE)) {
        if (!host::current().messagesCanArrive()) return -1;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
    }
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL TranslateMessage(const MSG* msg)
{
    // The game reads no character messages; nothing to add.
    return msg && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) ? TRUE : FALSE;
}

LRESULT DispatchMessageA(const MSG* msg)
{
    if (!msg) return 0;
    Window* w = windowFor(msg->hwnd);
    if (!w || w->destroyed || !w->proc) return 0;
    return w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* w = windowFor(window);
    if (!w || w->destroyed) return FALSE;
    queueMessage(w, message, wParam, lParam);
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    state().quitPosted = true;
    state().quitCode = exitCode;
}
