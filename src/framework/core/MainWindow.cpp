// MainWindow.cpp — the shared window handle and back-buffer size, the
// picture's place in the window and the mouse position on the picture.
#include "framework/core/MainWindow.h"

#include <cstdint>

HWND MainWindow = nullptr;
int ScreenWidth = 0;
int ScreenHeight = 0;

namespace {

// Rounds down, negative values included: a point left of the picture stays
// left of it.
LONG floorDiv(int64_t numerator, int64_t denominator)
{
    const int64_t q = numerator / denominator;
    return static_cast<LONG>(q * denominator > numerator ? q - 1 : q);
}

}  // namespace

RECT placePicture(LONG clientWidth, LONG clientHeight, LONG width, LONG height)
{
    if (clientWidth <= 0 || clientHeight <= 0 || width <= 0 || height <= 0) return RECT{0, 0, 0, 0};
    LONG w = clientWidth, h = clientHeight;
    // Wider than the picture: bars left and right; otherwise above and below.
    if (int64_t{clientWidth} * height > int64_t{clientHeight} * width)
        w = static_cast<LONG>((int64_t{clientHeight} * width + height / 2) / height);
    else h = static_cast<LONG>((int64_t{clientWidth} * height + width / 2) / width);
    const LONG left = (clientWidth - w) / 2, top = (clientHeight - h) / 2;
    return RECT{left, top, left + w, top + h};
}

bool pictureInMainWindow(RECT& picture)
{
    RECT client{};
    if (ScreenWidth <= 0 || ScreenHeight <= 0 || !GetClientRect(MainWindow, &client)) return false;
    const RECT placed = placePicture(client.right - client.left, client.bottom - client.top, ScreenWidth, ScreenHeight);
    if (placed.right <= placed.left || placed.bottom <= placed.top) return false;
    picture = placed;
    return true;
}

bool cursorInMainWindow(POINT& at)
{
    POINT cursor{};
    RECT window{};
    if (!GetCursorPos(&cursor) || !GetWindowRect(MainWindow, &window)) return false;
    const POINT inClient{cursor.x - window.left, cursor.y - window.top};
    RECT picture{};
    if (!pictureInMainWindow(picture)) {
        at = inClient;
        return true;
    }
    at = POINT{floorDiv(int64_t{inClient.x - picture.left} * ScreenWidth, picture.right - picture.left),
               floorDiv(int64_t{inClient.y - picture.top} * ScreenHeight, picture.bottom - picture.top)};
    return true;
}
