// MainWindow.h — the game window's handle as every subsystem shares it, and
// the mouse position in it. orvGraphics::Initialize records the handle;
// DirectInput and DirectSound take it for their cooperative level, the field
// and the drawn pointer measure the mouse against it. Kept apart from the
// graphics library so that input and sound see the handle without linking it.
// Limits: main thread only; null until orvGraphics::Initialize succeeds.
// Depends on: GetCursorPos, GetWindowRect.
#pragma once

#include <windows.h>

extern HWND MainWindow;

// The cursor minus the top-left corner of MainWindow's outer rectangle,
// unscaled: the point in back-buffer pixels that the field's hit test and the
// drawn pointer both use. False, with `at` untouched, when either query fails.
bool cursorInMainWindow(POINT& at);
