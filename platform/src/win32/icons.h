// icons.h — the icon a window class carries, shown on each window made from it.
#pragma once

#include <windows.h>

struct SDL_Window;

namespace layer {

// Gives the SDL window the class icon's picture; the default icon (or none)
// leaves the desktop's own.
void showClassIcon(SDL_Window* window, HICON icon);

}  // namespace layer
