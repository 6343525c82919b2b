// MainWindow.h — the game window's handle and the back-buffer size as every
// subsystem shares them, where the picture sits in the window, and the mouse
// position on it. orvGraphics::Initialize records the handle and the size;
// DirectInput and DirectSound take the handle for their cooperative level,
// the field and the drawn pointer measure the mouse against it, and the frame
// is presented into the picture's place. Kept apart from the graphics library
// so that input and sound see the handle without linking it.
// Limits: main thread only; null and 0 until orvGraphics::Initialize succeeds.
// Depends on: GetCursorPos, GetWindowRect, GetClientRect.
#pragma once

#include <windows.h>

extern HWND MainWindow;
extern int ScreenWidth;
extern int ScreenHeight;

// The largest rectangle of the picture's shape (width × height) that fits a
// client area of clientWidth × clientHeight, centred: the whole client area
// when it has that shape. Empty when either size is not positive.
RECT placePicture(LONG clientWidth, LONG clientHeight, LONG width, LONG height);

// Where the ScreenWidth × ScreenHeight back buffer is shown in MainWindow's
// client area, in client pixels. False when there is no window, no client
// area or no back buffer yet.
bool pictureInMainWindow(RECT& picture);

// The cursor minus the top-left corner of MainWindow's outer rectangle,
// mapped from the picture's place in the client area to back-buffer pixels
// (unscaled while the picture fills a client area of its own size): the point
// that the field's hit test and the drawn pointer both use. False, with `at`
// untouched, when the cursor or the window cannot be read.
bool cursorInMainWindow(POINT& at);
