// keyboard.cpp — keys and mouse as the game polls them: GetKeyState,
// GetAsyncKeyState and GetCursorPos (the cursor from the host), and the table
// from SDL scancodes to Windows virtual-key codes (US layout positions, as
// the scancodes are); key messages name letters by the layout's labels
// instead.
//
// A held key reads 0xFF80 from GetKeyState (both the high bit and bit 7 set,
// the layout Windows gives) with the toggle state in bit 0, and 0x8000 from
// GetAsyncKeyState. Mouse buttons are VK_LBUTTON, VK_RBUTTON, VK_MBUTTON.
//
// A tap — a press and its release both arriving before the next tick reads
// the keys, as a quick key tap, an automation tool's click or a touchpad tap
// gives — reads as a press held for that one tick: it stays down through all
// of that tick's reads (so two logical buttons fed by one key see the same
// thing) and is up from the next pass of the message loop on. The messages
// themselves arrive as they came. Anything held across a tick reads as it
// physically is.
#include "host/host.h"
#include "win32/layer_state.h"

namespace layer {

int virtualKeyFor(SDL_Scancode sc)
{
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
    if (sc == SDL_SCANCODE_0) return '0';
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return VK_F1 + (sc - SDL_SCANCODE_F1);
    if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return VK_NUMPAD1 + (sc - SDL_SCANCODE_KP_1);
    switch (sc) {
    case SDL_SCANCODE_KP_0: return VK_NUMPAD0;
    case SDL_SCANCODE_KP_PERIOD: return VK_DECIMAL;
    case SDL_SCANCODE_KP_PLUS: return VK_ADD;
    case SDL_SCANCODE_KP_MINUS: return VK_SUBTRACT;
    case SDL_SCANCODE_KP_MULTIPLY: return VK_MULTIPLY;
    case SDL_SCANCODE_KP_DIVIDE: return VK_DIVIDE;
    case SDL_SCANCODE_KP_ENTER: return VK_RETURN;
    case SDL_SCANCODE_NUMLOCKCLEAR: return VK_NUMLOCK;
    case SDL_SCANCODE_RETURN: return VK_RETURN;
    case SDL_SCANCODE_ESCAPE: return VK_ESCAPE;
    case SDL_SCANCODE_BACKSPACE: return VK_BACK;
    case SDL_SCANCODE_TAB: return VK_TAB;
    case SDL_SCANCODE_SPACE: return VK_SPACE;
    case SDL_SCANCODE_MINUS: return VK_OEM_MINUS;
    case SDL_SCANCODE_EQUALS: return VK_OEM_PLUS;
    case SDL_SCANCODE_LEFTBRACKET: return VK_OEM_4;
    case SDL_SCANCODE_RIGHTBRACKET: return VK_OEM_6;
    case SDL_SCANCODE_BACKSLASH: return VK_OEM_5;
    case SDL_SCANCODE_SEMICOLON: return VK_OEM_1;
    case SDL_SCANCODE_APOSTROPHE: return VK_OEM_7;
    case SDL_SCANCODE_GRAVE: return VK_OEM_3;
    case SDL_SCANCODE_COMMA: return VK_OEM_COMMA;
    case SDL_SCANCODE_PERIOD: return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH: return VK_OEM_2;
    case SDL_SCANCODE_CAPSLOCK: return VK_CAPITAL;
    case SDL_SCANCODE_SCROLLLOCK: return VK_SCROLL;
    case SDL_SCANCODE_PAUSE: return VK_PAUSE;
    case SDL_SCANCODE_INSERT: return VK_INSERT;
    case SDL_SCANCODE_HOME: return VK_HOME;
    case SDL_SCANCODE_PAGEUP: return VK_PRIOR;
    case SDL_SCANCODE_DELETE: return VK_DELETE;
    case SDL_SCANCODE_END: return VK_END;
    case SDL_SCANCODE_PAGEDOWN: return VK_NEXT;
    case SDL_SCANCODE_RIGHT: return VK_RIGHT;
    case SDL_SCANCODE_LEFT: return VK_LEFT;
    case SDL_SCANCODE_DOWN: return VK_DOWN;
    case SDL_SCANCODE_UP: return VK_UP;
    case SDL_SCANCODE_LCTRL: return VK_LCONTROL;
    case SDL_SCANCODE_RCTRL: return VK_RCONTROL;
    case SDL_SCANCODE_LSHIFT: return VK_LSHIFT;
    case SDL_SCANCODE_RSHIFT: return VK_RSHIFT;
    case SDL_SCANCODE_LALT: return VK_LMENU;
    case SDL_SCANCODE_RALT: return VK_RMENU;
    default: return 0;
    }
}

int virtualKeyForMessage(const SDL_Keysym& key)
{
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) return 'A' + (key.sym - SDLK_a);
    if (key.scancode == SDL_SCANCODE_KP_MINUS || key.scancode == SDL_SCANCODE_KP_PLUS)
        return virtualKeyFor(key.scancode);
    if (key.sym == SDLK_MINUS) return VK_OEM_MINUS;
    if (key.sym == SDLK_PLUS || key.sym == SDLK_EQUALS) return VK_OEM_PLUS;
    return virtualKeyFor(key.scancode);
}

bool setKeyDown(int vk, bool down)
{
    if (vk <= 0 || vk >= 256) return false;
    endReadTaps();
    Key& key = state().keys[vk];
    const bool wasDown = key.down;
    if (down && !wasDown) {
        key.toggled = !key.toggled;
        key.unread = true;
        key.tap = false;
    } else if (!down && wasDown) {
        key.tap = key.unread;
        key.unread = false;
    }
    key.down = down;
    return wasDown;
}

void releaseAllKeys()
{
    for (int vk = 1; vk < 256; ++vk) setKeyDown(vk, false);
}

void endReadTaps()
{
    if (!state().keysRead) return;
    state().keysRead = false;
    for (Key& key : state().keys) key.unread = key.tap = false;
}

namespace {

bool read(int vk)
{
    state().keysRead = true;
    const Key& key = state().keys[vk];
    return key.down || key.tap;
}

// The generic modifier codes read as down when either side is down.
bool isDown(int vk)
{
    switch (vk) {
    case VK_CONTROL: return read(VK_LCONTROL) || read(VK_RCONTROL);
    case VK_SHIFT: return read(VK_LSHIFT) || read(VK_RSHIFT);
    case VK_MENU: return read(VK_LMENU) || read(VK_RMENU);
    default: return read(vk);
    }
}

}  // namespace

}  // namespace layer

using namespace layer;

SHORT GetKeyState(int virtKey)
{
    if (virtKey <= 0 || virtKey >= 256) return 0;
    unsigned short value = isDown(virtKey) ? 0xFF80 : 0;
    if (state().keys[virtKey].toggled) value |= 1;
    return static_cast<SHORT>(value);
}

SHORT GetAsyncKeyState(int virtKey)
{
    if (virtKey <= 0 || virtKey >= 256) return 0;
    return static_cast<SHORT>(isDown(virtKey) ? 0x8000 : 0);
}

BOOL GetCursorPos(LPPOINT point) { return point && host::current().cursorPos(*point) ? TRUE : FALSE; }
