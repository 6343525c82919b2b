// window_internal.h — what the win32 area of the layer offers the other
// areas (graphics, input): the SDL window behind an HWND, its focus, and
// the road its pictures take to the screen.
#pragma once

#include <windows.h>

struct SDL_Window;

namespace layer {

SDL_Window* sdlWindow(HWND window);
bool windowHasFocus(HWND window);
// True when pictures reach the screen through an SDL renderer rather than
// the window's own surface: SDL_RENDER_DRIVER asks for one, or the video
// driver (Wayland, in SDL 2.26) gives windows no framebuffer of their own.
bool presentsThroughRenderer();

}  // namespace layer
