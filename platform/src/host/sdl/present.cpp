// present.cpp — the sdl host's presentation of a finished frame, sending
// only the damaged rectangles. Two roads:
//   - the window's own surface (the default): SDL's framebuffer acceleration
//     off (window.cpp), so no OpenGL is loaded; the damaged rectangles are
//     copied, or scaled with one bilinear mapping for the whole picture
//     (picture_scaler.h), into the surface and passed to
//     SDL_UpdateWindowSurfaceRects (MIT-SHM on X11);
//   - an SDL renderer, where the window has no framebuffer (SDL 2.26 on
//     Wayland) or SDL_RENDER_DRIVER asks for one: a streaming texture updated
//     in the damaged rectangles and drawn scaled by the renderer (on the GPU
//     where SDL has one).
// The picture goes where Present's destination rectangle puts it (the whole
// client area without one), dark around it. After the window is shown, moved,
// resized or exposed, whenever the surface or renderer is new and whenever
// the destination moves, the whole frame is presented once.
#include "host/sdl/picture_scaler.h"
#include "host/sdl/sdl.h"

#include "win32/window_internal.h"

#include <d3d9.h>

#include <SDL.h>

#include <atomic>
#include <cstring>
#include <vector>

namespace layer::host {

namespace {

class SdlPresenter final : public FramePresenter {
public:
    SdlPresenter() = default;
    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;
    ~SdlPresenter() override { release(); }

    HRESULT present(HWND window, const uint32_t* pixels, int width, int height, const std::vector<RECT>& damage,
                    const RECT* dest) override;

private:
    enum class Road { None, Surface, Renderer };

    void release();
    void watch(SDL_Window* window);
    static int windowEvent(void* presenter, SDL_Event* event);
    PictureBox placement(const RECT* dest, int outputWidth, int outputHeight) const;
    bool presentToSurface(const uint32_t* pixels, int width, int height, const std::vector<PictureBox>& damage,
                          const RECT* dest);
    bool presentThroughRenderer(const uint32_t* pixels, int width, int height, const std::vector<PictureBox>& damage,
                                const RECT* dest);
    void copyToSurface(SDL_Surface* surface, const uint32_t* pixels, int width, int height, const PictureBox& source,
                       std::vector<PictureBox>& updated);

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

SDL_Rect rectOf(const PictureBox& box) { return {box.left, box.top, box.right - box.left, box.bottom - box.top}; }

// The surface holds 0x??RRGGBB in 32 bits, as the back buffer does.
bool sameLayout(const SDL_Surface* surface)
{
    const SDL_PixelFormat* f = surface->format;
    return f->BytesPerPixel == 4 && f->Rmask == 0xFF0000u && f->Gmask == 0xFF00u && f->Bmask == 0xFFu;
}

void SdlPresenter::release()
{
    if (window_) SDL_DelEventWatch(windowEvent, this);
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
    surface_ = nullptr;
    window_ = nullptr;
    road_ = Road::None;
    textureWidth_ = textureHeight_ = 0;
    wholeNext_ = true;
}

void SdlPresenter::watch(SDL_Window* window)
{
    window_ = window;
    SDL_AddEventWatch(windowEvent, this);
}

int SdlPresenter::windowEvent(void* presenter, SDL_Event* event)
{
    auto* self = static_cast<SdlPresenter*>(presenter);
    if (event->type != SDL_WINDOWEVENT || event->window.windowID != SDL_GetWindowID(self->window_)) return 0;
    switch (event->window.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_MOVED:
    case SDL_WINDOWEVENT_RESIZED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED: self->wholeNext_ = true; break;
    default: break;
    }
    return 0;
}

// The destination in the output's pixels, which a high-density display may
// have more of than the window has client pixels.
PictureBox SdlPresenter::placement(const RECT* dest, int outputWidth, int outputHeight) const
{
    int clientWidth = 0, clientHeight = 0;
    SDL_GetWindowSize(window_, &clientWidth, &clientHeight);
    if (!dest || clientWidth <= 0 || clientHeight <= 0) return {0, 0, outputWidth, outputHeight};
    const auto x = [&](LONG v) { return static_cast<int>(int64_t{v} * outputWidth / clientWidth); };
    const auto y = [&](LONG v) { return static_cast<int>(int64_t{v} * outputHeight / clientHeight); };
    return {x(dest->left), y(dest->top), x(dest->right), y(dest->bottom)};
}

HRESULT SdlPresenter::present(HWND window, const uint32_t* pixels, int width, int height,
                              const std::vector<RECT>& rectangles, const RECT* dest)
{
    std::vector<PictureBox> damage;
    for (const RECT& r : rectangles) damage.push_back({r.left, r.top, r.right, r.bottom});
    SDL_Window* sdl = layer::sdlWindow(window);
    if (!sdl) {
        release();
        return D3DERR_DEVICELOST;
    }
    if (sdl != window_) {
        release();
        watch(sdl);
        road_ = layer::presentsThroughRenderer() ? Road::Renderer : Road::Surface;
    }
    if (road_ == Road::Surface) {
        if (presentToSurface(pixels, width, height, damage, dest)) return D3D_OK;
        OutputDebugStringA("d3d9: Present: the window has no surface of its own; presenting through an SDL renderer\n");
        road_ = Road::Renderer;
        wholeNext_ = true;
    }
    if (presentThroughRenderer(pixels, width, height, damage, dest)) return D3D_OK;
    release();
    return D3DERR_DEVICELOST;
}

bool SdlPresenter::presentToSurface(const uint32_t* pixels, int width, int height,
                                    const std::vector<PictureBox>& damage, const RECT* dest)
{
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface) return false;
    bool whole = wholeNext_.exchange(false) || surface != surface_;
    surface_ = surface;
    const PictureBox place = placement(dest, surface->w, surface->h);
    if (place.empty()) return true;
    if (!scaler_.prepared(width, height, place)) {
        scaler_.prepare(width, height, place);
        whole = true;
    }
    std::vector<PictureBox> updated;
    if (whole) SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
    if (whole) copyToSurface(surface, pixels, width, height, PictureBox{0, 0, width, height}, updated);
    else
        for (const PictureBox& box : damage) copyToSurface(surface, pixels, width, height, box, updated);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    if (whole) updated.assign(1, PictureBox{0, 0, surface->w, surface->h});
    if (updated.empty()) return true;
    std::vector<SDL_Rect> rects;
    for (const PictureBox& box : updated) rects.push_back(rectOf(box));
    return SDL_UpdateWindowSurfaceRects(window_, rects.data(), static_cast<int>(rects.size())) == 0;
}

// The destination pixels that read the source box, copied or scaled into the
// surface (converted where its layout differs from the back buffer's).
void SdlPresenter::copyToSurface(SDL_Surface* surface, const uint32_t* pixels, int width, int height,
                                 const PictureBox& source, std::vector<PictureBox>& updated)
{
    const PictureBox& place = scaler_.placement();
    const bool oneToOne = place.right - place.left == width && place.bottom - place.top == height;
    const PictureBox target = oneToOne ? PictureBox{source.left + place.left, source.top + place.top,
                                                    source.right + place.left, source.bottom + place.top}
                                       : scaler_.reach(source);
    if (target.empty()) return;
    const int w = target.right - target.left, h = target.bottom - target.top;
    auto* out = static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(target.top) * surface->pitch +
                static_cast<size_t>(target.left) * surface->format->BytesPerPixel;
    const uint32_t* from = pixels + static_cast<size_t>(source.top) * width + source.left;
    int fromPitch = width;
    if (!oneToOne) {
        rows_.resize(static_cast<size_t>(w) * h);
        scaler_.scale(pixels, target, rows_.data(), w);
        from = rows_.data();
        fromPitch = w;
    }
    if (sameLayout(surface)) {
        for (int y = 0; y < h; ++y)
            std::memcpy(out + static_cast<size_t>(y) * surface->pitch, from + static_cast<size_t>(y) * fromPitch,
                        static_cast<size_t>(w) * sizeof(uint32_t));
    } else {
        SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_ARGB8888, from, fromPitch * static_cast<int>(sizeof(uint32_t)),
                          surface->format->format, out, surface->pitch);
    }
    updated.push_back(target);
}

bool SdlPresenter::presentThroughRenderer(const uint32_t* pixels, int width, int height,
                                          const std::vector<PictureBox>& damage, const RECT* dest)
{
    if (!renderer_) {
        renderer_ = SDL_CreateRenderer(window_, -1, 0);
        if (!renderer_) {
            OutputDebugStringA("d3d9: Present: no SDL renderer for the window\n");
            return false;
        }
    }
    bool whole = wholeNext_.exchange(false);
    if (!texture_ || textureWidth_ != width || textureHeight_ != height) {
        if (texture_) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
        if (!texture_) return false;
        SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
        SDL_SetTextureScaleMode(texture_, SDL_ScaleModeLinear);
        textureWidth_ = width;
        textureHeight_ = height;
        whole = true;
    }
    const int pitch = width * static_cast<int>(sizeof(uint32_t));
    if (whole) {
        if (SDL_UpdateTexture(texture_, nullptr, pixels, pitch) != 0) return false;
    } else {
        for (const PictureBox& box : damage) {
            const SDL_Rect rect = rectOf(box);
            if (SDL_UpdateTexture(texture_, &rect, pixels + static_cast<size_t>(box.top) * width + box.left, pitch) !=
                0)
                return false;
        }
    }
    int outputWidth = 0, outputHeight = 0;
    if (SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight) != 0) return false;
    const SDL_Rect place = rectOf(placement(dest, outputWidth, outputHeight));
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    if (SDL_RenderClear(renderer_) != 0 || SDL_RenderCopy(renderer_, texture_, nullptr, &place) != 0) return false;
    SDL_RenderPresent(renderer_);
    return true;
}

}  // namespace

std::unique_ptr<FramePresenter> SdlHost::openPresenter() { return std::make_unique<SdlPresenter>(); }

}  // namespace layer::host
