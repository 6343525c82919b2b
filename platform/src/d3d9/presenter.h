// presenter.h — hands a finished back buffer to the screen, sending only the
// damaged rectangles. Two roads:
//   - the window's own surface (the default): SDL's framebuffer acceleration
//     off, so no OpenGL is loaded; the damaged rectangles are copied, or
//     scaled with one bilinear mapping for the whole picture
//     (picture_scaler.h), into the surface and passed to
//     SDL_UpdateWindowSurfaceRects (MIT-SHM on X11);
//   - an SDL renderer, where the window has no framebuffer (SDL 2.26 on
//     Wayland) or SDL_RENDER_DRIVER asks for one: a streaming texture updated
//     in the damaged rectangles and drawn scaled by the renderer.
// The picture keeps its shape, centred. After the window is moved, resized,
// exposed or shown, and whenever the surface or renderer is new, the whole
// frame is presented once. In test mode the frame goes to the capture
// (capture.h) instead.
#pragma once

#include "d3d9/picture_scaler.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <vector>

struct SDL_Renderer;
struct SDL_Surface;
struct SDL_Texture;
struct SDL_Window;
union SDL_Event;

namespace layer::d3d {

class Presenter {
public:
    Presenter() = default;
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;
    ~Presenter();

    // S_OK, or D3DERR_DEVICELOST when the window or its surface or renderer
    // is gone.
    HRESULT present(HWND window, const uint32_t* pixels, int width, int height, const std::vector<PixelBox>& damage);

private:
    enum class Road { None, Surface, Renderer };

    void release();
    void watch(SDL_Window* window);
    static int windowEvent(void* presenter, SDL_Event* event);
    bool presentToSurface(const uint32_t* pixels, int width, int height, const std::vector<PixelBox>& damage);
    bool presentThroughRenderer(const uint32_t* pixels, int width, int height, const std::vector<PixelBox>& damage);
    void copyToSurface(SDL_Surface* surface, const uint32_t* pixels, int width, int height, const PixelBox& source,
                       std::vector<PixelBox>& updated);

    SDL_Window* window_ = nullptr;
    Road road_ = Road::None;
    std::atomic<bool> wholeNext_{true};
    SDL_Surface* surface_ = nullptr;  // owned by the window
    PictureScaler scaler_;
    std::vector<uint32_t> rows_;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
};

}  // namespace layer::d3d
