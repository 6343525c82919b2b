// present.cpp — the web host's presentation: the damaged rectangles of each
// frame, and only they, put into the page's canvas (SDL 2.26's own window
// surface on Emscripten copies the whole surface on every update). The
// canvas holds the back buffer pixel for pixel: the page's CSS scales it, so
// Present's destination rectangle (the picture's 5:4 place in the client
// area, which is the canvas) needs no scaling here. The whole frame goes out
// first, and again whenever the canvas lost its size (SDL resizes it for the
// display's density). The page hears of the first frame (Module.vtFirstFrame)
// and loads what can wait until then.
#include "host/web/web.h"

#include <emscripten.h>

#include <d3d9.h>

#include <vector>

namespace layer::host {

namespace {

// Puts `width` × `height` RGBA pixels at (x, y) of the canvas; false when
// the canvas had to be given the picture's size again (the caller then
// sends the whole picture).
EM_JS(int, putCanvasRect, (const uint8_t* rgba, int x, int y, int width, int height, int canvasWidth, int canvasHeight),
      {
          var canvas = Module.canvas;
          if (!canvas) return 1;
          var fresh = 0;
          if (canvas.width != canvasWidth || canvas.height != canvasHeight || !Module.vtCanvasContext) {
              canvas.width = canvasWidth;
              canvas.height = canvasHeight;
              canvas.style.removeProperty('width');
              canvas.style.removeProperty('height');
              Module.vtCanvasContext = canvas.getContext('2d', {alpha : false});
              fresh = 1;
          }
          if (fresh && (x != 0 || y != 0 || width != canvasWidth || height != canvasHeight)) return 0;
          var pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
          Module.vtCanvasContext.putImageData(new ImageData(pixels, width, height), x, y);
          if (!Module.vtFirstFrameAt) {
              Module.vtFirstFrameAt = performance.now();
              if (Module.vtFirstFrame) Module.vtFirstFrame();
          }
          return 1;
      });

// The page's count of presented frames (the frames per second it shows).
EM_JS(void, countPresent, (), { Module.vtPresents = (Module.vtPresents || 0) + 1; });

class WebPresenter final : public FramePresenter {
public:
    HRESULT present(HWND /*window*/, const uint32_t* pixels, int width, int height, const std::vector<RECT>& damage,
                    const RECT* /*dest*/) override
    {
        countPresent();
        if (width != width_ || height != height_) whole_ = true;
        width_ = width;
        height_ = height;
        if (!whole_) {
            for (const RECT& r : damage)
                if (!put(pixels, r)) {
                    whole_ = true;
                    break;
                }
        }
        if (whole_) {
            whole_ = false;
            put(pixels, RECT{0, 0, width, height});
        }
        return D3D_OK;
    }

private:
    // The back buffer's 0x??RRGGBB as the canvas's R, G, B, A bytes.
    bool put(const uint32_t* pixels, const RECT& r)
    {
        const int w = r.right - r.left, h = r.bottom - r.top;
        if (w <= 0 || h <= 0) return true;
        rgba_.resize(static_cast<size_t>(w) * h);
        for (int y = 0; y < h; ++y) {
            const uint32_t* from = pixels + static_cast<size_t>(r.top + y) * width_ + r.left;
            uint32_t* to = rgba_.data() + static_cast<size_t>(y) * w;
            for (int x = 0; x < w; ++x) {
                const uint32_t p = from[x];
                to[x] = 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
            }
        }
        return putCanvasRect(reinterpret_cast<const uint8_t*>(rgba_.data()), r.left, r.top, w, h, width_, height_) != 0;
    }

    int width_ = 0;
    int height_ = 0;
    bool whole_ = true;
    std::vector<uint32_t> rgba_;
};

}  // namespace

std::unique_ptr<FramePresenter> WebHost::openPresenter() { return std::make_unique<WebPresenter>(); }

}  // namespace layer::host
