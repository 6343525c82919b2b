// web.h — the web host: the sdl host as the browser build has it (SDL's
// Emscripten backend on the page's canvas, with the page of scripts/web/).
//
// Provides, besides what the sdl host does: the 1280 × 1024 canvas as the
// window (the page's CSS scales it into the browser window, 5:4 kept, and
// SDL maps the pointer through that same box); frames sent to the canvas in
// their damaged rectangles only; the message loop's wait yielding to the
// browser (Asyncify) after the game's threads had their turn (they are
// coroutines without threads); a close request kept, since only the browser
// closes its tab; a hidden tab reported as a lost focus; the browser's
// cryptographic random source (getentropy); the kept files in
// IndexedDB (the page mounts the user's folders there), re-read when their
// lock is taken and written back before it is let go, under a lock that
// holds across the browser's tabs (navigator.locks).
//
// The one display is the canvas itself: a full-screen window covers it, and
// the page asks the browser for its full screen (browsers grant it only
// soon after a key or a click, so the remembered setting waits for the F11 or
// Alt+Enter that asks for it). Leaving the browser's full screen on its own
// (Escape) reaches the game as F11, so that the game's flag follows.
//
// Leaves out: the desktop's window placement and density (the page places
// the canvas), and SDL's full-screen modes, which would resize the canvas.
#pragma once

#include "host/sdl/sdl.h"

namespace layer::host {

class WebHost final : public SdlHost {
public:
    bool startVideo() override;
    Placement place(int x, int y, int clientWidth, int clientHeight, int frameTop) override;
    bool waitForInput(DWORD milliseconds) override;
    bool random(unsigned int& value) override;
    // Every tab of the page is the same process to Emscripten: each draws a
    // number of its own.
    DWORD processId() override;
    // No threads in the browser: the layer's helpers work inline.
    bool startThread(std::function<void()>, std::thread&) override { return false; }
    bool display(int index, Placement& bounds, Placement& usable) override;
    bool fullscreen(HWND window, bool on) override;
    bool closesOnRequest() override { return false; }
    void filesLocked(const std::string& lockFile) override;
    void filesUnlocking(const std::string& lockFile) override;
    std::unique_ptr<FramePresenter> openPresenter() override;

private:
    Placement canvas_{0, 0, 1280, 1024};
    bool fullscreen_ = false;         // as the game asked
    bool browserFullscreen_ = false;  // the browser has been full-screen since
};

}  // namespace layer::host
