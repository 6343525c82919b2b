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
bool testModeEnabled();
void recordCall(const std::string& call);

}  // namespace layer
