// Fullscreen.h — switching the game window between the framed window and
// borderless full-screen on its monitor (F11 or Alt+Enter), the choice kept
// in the settings.
// Limits: main thread, the one game window. Depends on: Settings.
#pragma once

#include <windows.h>

// Full-screen covers the monitor the window is on with a frameless popup;
// back in the window, the window returns to where it was. Does nothing when
// the window is already so.
void SetFullscreen(HWND window, bool on);
// Switches to the other state and keeps the one reached in the settings.
void ToggleFullscreen(HWND window);
