// window_internal.h — what the win32 area of the layer offers the other
// areas (graphics, input): the SDL window behind an HWND and its focus.
#pragma once

#include <windows.h>

struct SDL_Window;

namespace layer {

SDL_Window* sdlWindow(HWND window);
bool windowHasFocus(HWND window);

}  // namespace layer
