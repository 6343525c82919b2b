// present.cpp — the sdl host's presentation of a finished frame: an SDL
// renderer created on first use for the device's window (re-created when the
// window changes), with one streaming texture updated and stretched into the
// destination rectangle (the whole client area when there is none), the rest
// cleared dark, on the best renderer SDL has (accelerated where there is a
// GPU).
#include "host/sdl/sdl.h"

#include "win32/window_internal.h"

#include <d3d9.h>

#include <SDL.h>

namespace layer::host {

namespace {

class SdlPresenter final : public FramePresenter {
public:
    SdlPresenter() = default;
    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;
    ~SdlPresenter() override { release(); }

    HRESULT present(HWND window, const uint32_t* pixels, int width, int height, const RECT* dest) override;

private:
    void release();
    SDL_Rect outputRect(SDL_Window* sdl, const RECT* dest) const;

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
};

void SdlPresenter::release()
{
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    textureWidth_ = textureHeight_ = 0;
}

// The destination in the renderer's pixels, which a high-density display
// may have more of than the window has client pixels.
SDL_Rect SdlPresenter::outputRect(SDL_Window* sdl, const RECT* dest) const
{
    int outW = 0, outH = 0, clientW = 0, clientH = 0;
    SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    SDL_GetWindowSize(sdl, &clientW, &clientH);
    if (!dest || clientW <= 0 || clientH <= 0) return {0, 0, outW, outH};
    const auto x = [&](LONG v) { return static_cast<int>(static_cast<int64_t>(v) * outW / clientW); };
    const auto y = [&](LONG v) { return static_cast<int>(static_cast<int64_t>(v) * outH / clientH); };
    return {x(dest->left), y(dest->top), x(dest->right) - x(dest->left), y(dest->bottom) - y(dest->top)};
}

HRESULT SdlPresenter::present(HWND window, const uint32_t* pixels, int width, int height, const RECT* dest)
{
    SDL_Window* sdl = layer::sdlWindow(window);
    if (!sdl) {
        release();
        return D3DERR_DEVICELOST;
    }
    if (sdl != window_ || !renderer_) {
        release();
        renderer_ = SDL_CreateRenderer(sdl, -1, 0);
        if (!renderer_) {
            OutputDebugStringA("d3d9: Present: no SDL renderer for the window\n");
            return D3DERR_DEVICELOST;
        }
        window_ = sdl;
    }
    if (!texture_ || textureWidth_ != width || textureHeight_ != height) {
        if (texture_) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
        if (!texture_) {
            release();
            return D3DERR_DEVICELOST;
        }
        SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
        SDL_SetTextureScaleMode(texture_, SDL_ScaleModeLinear);
        textureWidth_ = width;
        textureHeight_ = height;
    }
    const SDL_Rect to = outputRect(sdl, dest);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    if (SDL_UpdateTexture(texture_, nullptr, pixels, width * static_cast<int>(sizeof(uint32_t))) != 0 ||
        SDL_RenderClear(renderer_) != 0 || SDL_RenderCopy(renderer_, texture_, nullptr, &to) != 0) {
        release();
        return D3DERR_DEVICELOST;
    }
    SDL_RenderPresent(renderer_);
    return D3D_OK;
}

}  // namespace

std::unique_ptr<FramePresenter> SdlHost::openPresenter() { return std::make_unique<SdlPresenter>(); }

}  // namespace layer::host
