// MainWindow.cpp — the shared window handle and the mouse position in it.
#include "framework/core/MainWindow.h"

HWND MainWindow = nullptr;

bool cursorInMainWindow(POINT& at)
{
    POINT cursor{};
    RECT window{};
    if (!GetCursorPos(&cursor) || !GetWindowRect(MainWindow, &window)) return false;
    at = POINT{cursor.x - window.left, cursor.y - window.top};
    return true;
}
