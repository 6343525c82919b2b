// window_internal.h — what the win32 area of the layer offers the other
// areas (graphics, sound, input): the SDL window behind an HWND, its focus,
// whether SDL video is up, and the call log used by tests of call orders.
#pragma once

#include <windows.h>

#include <string>

struct SDL_Window;

namespace layer {

SDL_Window* sdlWindow(HWND window);
bool windowHasFocus(HWND window);
bool sdlVideoReady();
// True when pictures reach the screen through an SDL renderer rather than
// the window's own surface: SDL_RENDER_DRIVER asks for one, or the video
// driver (Wayland, in SDL 2.26) gives windows no framebuffer of their own.
bool presentsThroughRenderer();
bool testModeEnabled();
void recordCall(const std::string& call);

}  // namespace layer
