// presenter.h — hands a finished back buffer to the screen: one SDL texture
// update and a copy scaled to the window's whole client area, on the best
// renderer SDL has for the window (accelerated where there is a GPU). In test
// mode the frame goes to the capture (capture.h) instead.
#pragma once

#include <windows.h>

#include <cstdint>

struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Window;

namespace layer::d3d {

class Presenter {
public:
    Presenter() = default;
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;
    ~Presenter();

    // S_OK, or D3DERR_DEVICELOST when the window or its renderer is gone.
    HRESULT present(HWND window, const uint32_t* pixels, int width, int height);

private:
    void release();

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
};

}  // namespace layer::d3d
