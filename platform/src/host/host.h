// host.h — the one seam between the layer and the machine. The areas (win32,
// kernel32, d3d9, dsound, dinput) implement the Windows operations; the few
// things they take from the machine they ask of the current host, so that
// where behaviour differs, the host differs and no area branches on it.
//
// Three hosts supply this interface: the sdl host (host/sdl/), the real one
// and the only one in the desktop game, the web host (host/web/), the sdl
// host on a browser page's canvas, and the headless host (host/headless/),
// which tests and tools install through platform/testing.h before start-up. The
// windows themselves, their event queue and the pads are SDL's under both
// hosts: the headless host runs SDL's dummy video driver and SDL's virtual
// joysticks, so the layer's own translation of windows, events and pads is
// the same code under test as in the game.
#pragma once

#include <windows.h>

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace layer {
struct Window;
}

namespace layer::host {

// Where a new window's client area goes on the desktop: its SDL window's
// position and size.
struct Placement {
    int x, y, width, height;
};

// What the graphics adapter offers to GetDeviceCaps and CreateDevice.
struct AdapterSupport {
    bool hal = true;
    bool hardwareVertexProcessing = true;
    bool mixedVertexProcessing = true;
    bool softwareVertexProcessing = true;
    bool reference = true;
};

// A device's road from a finished back buffer to whoever looks at it.
class FramePresenter {
public:
    virtual ~FramePresenter() = default;
    // Shows the frame (0x??RRGGBB pixels, row after row) for `window`,
    // scaled into `dest` (client pixels; null: the whole client area) with
    // the rest of the client area dark: S_OK, or D3DERR_DEVICELOST when it
    // cannot be shown. `damage` holds the rectangles that differ from the
    // frame of the last successful present (all of the frame after a failure
    // or a reset); a presenter that cannot be sure its screen still shows
    // that frame shows the whole one.
    virtual HRESULT present(HWND window, const uint32_t* pixels, int width, int height, const std::vector<RECT>& damage,
                            const RECT* dest) = 0;
};

// The mix an audio output plays: interleaved stereo, signed 16-bit frames.
class AudioSource {
public:
    virtual ~AudioSource() = default;
    // Fills `frames` frames; true when that set notification events the
    // game's threads will answer.
    virtual bool render(int16_t* out, uint32_t frames) = 0;
    // The output's sample rate, set by the host before the first render.
    int rate = 44100;
};

// An open audio output; closing it (destroying it) stops the pulls.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
};

class Host {
public:
    virtual ~Host() = default;

    // Window and events
    // Starts SDL's video for the first window; false when there is nothing to
    // show one on.
    virtual bool startVideo() = 0;
    virtual Placement place(int x, int y, int clientWidth, int clientHeight, int frameTop) = 0;
    virtual bool hasFocus(const Window& window) = 0;
    // GetWindowRect's answer; false for no such window.
    virtual bool windowRect(HWND window, RECT& rect) = 0;
    // GetCursorPos's answer; false when there is no cursor to read.
    virtual bool cursorPos(POINT& point) = 0;
    // PeekMessageA found the queue empty (it never waits). True when SDL
    // events may be waiting.
    virtual bool idle() = 0;
    // MsgWaitForMultipleObjects: waits until input may be waiting or the
    // milliseconds have passed (INFINITE: no limit). True when SDL events may
    // be waiting.
    virtual bool waitForInput(DWORD milliseconds) = 0;
    // Whether a message can still arrive for GetMessageA to wait for.
    virtual bool messagesCanArrive() = 0;
    // A display's rectangle and the part of it free of panels
    // (GetMonitorInfoA; a window that covers the rectangle is full-screen):
    // false for no such display. By default, SDL's displays.
    virtual bool display(int index, Placement& bounds, Placement& usable);
    // The window's picture on the whole display, or back in the window
    // (SetWindowPos to or from a display's rectangle). By default, SDL's
    // full-screen window over the desktop.
    virtual bool fullscreen(HWND window, bool on);
    // Whether a close request that reaches DefWindowProcA destroys the
    // window. A browser page keeps it: only the browser closes its tab.
    virtual bool closesOnRequest() = 0;

    // Kept files: LockFileEx has just taken the lock of `lockFile` (the
    // files beside it may be read again), and UnlockFileEx is about to let
    // it go (what was written under it must be kept by then).
    virtual void filesLocked(const std::string& lockFile) = 0;
    virtual void filesUnlocking(const std::string& lockFile) = 0;

    // Files, the user's folders and the date: by default the machine's own
    // (host/files.cpp), which the sdl and web hosts use; the headless host
    // plays the faults and the folders and date a test asks for. Each file
    // operation answers as its POSIX call does (-1 with errno set).
    // open(2) of the file at `path` (as the host spells it).
    virtual int openFile(const std::string& path, int flags);
    // write(2) of all `count` bytes, again after an interruption or a short
    // write; `written`: how many were stored. 0, or the errno of the
    // failure (ENOSPC when the disk took nothing more).
    virtual int writeFile(int fd, const char* bytes, size_t count, size_t& written);
    // rename(2), mkdir(2) (mode 0777) and unlink(2).
    virtual int renameFile(const std::string& from, const std::string& to);
    virtual int makeFolder(const std::string& path);
    virtual int removeFile(const std::string& path);
    // The user's folder for CSIDL_APPDATA (settings: $XDG_CONFIG_HOME) or
    // CSIDL_LOCAL_APPDATA (data: $XDG_DATA_HOME); empty when there is none.
    virtual std::string userFolder(int csidl);
    // The date and time now, in the machine's time zone or in UTC.
    virtual void dateAndTime(SYSTEMTIME& time, bool utc);

    // Clock and random source
    // The runtime's clock(): milliseconds since the process started.
    virtual clock_t clockMs() = 0;
    // rand_s: false when the random source fails.
    virtual bool random(unsigned int& value) = 0;
    // GetCurrentProcessId: the number that tells this copy of the game from
    // the others running at the same time.
    virtual DWORD processId() = 0;

    // Presentation of a finished frame
    virtual std::unique_ptr<FramePresenter> openPresenter() = 0;
    virtual AdapterSupport adapter() = 0;
    // Whether the device does its pixel work (clears, draws).
    virtual bool drawing() = 0;

    // Audio output: null when there is none to open.
    virtual std::unique_ptr<AudioOutput> openAudio(const std::shared_ptr<AudioSource>& source) = 0;

    // Threads the layer starts for work of its own (the drawing helper, the
    // start-up image worker), not the ones the game asks for: runs body on a
    // new thread held by `thread`; false when the machine gives none, and the
    // caller then does that work on its own thread.
    virtual bool startThread(std::function<void()> body, std::thread& thread) = 0;

    // Call logs, read by tests of call orders
    virtual void recordCall(const std::string& call) = 0;
    // Whether device calls are formatted into the call log at all.
    virtual bool deviceCallLog() = 0;
    // A DirectSound buffer call (safe from any thread).
    virtual void soundCall(const char* call, int buffer, long value) = 0;
};

// The host in charge: the sdl host unless another was installed.
Host& current();
// Puts `host` in charge (null: the sdl host again). Done before start-up,
// while no thread of the layer runs.
void install(Host* host);
bool installed(const Host& candidate);

Host& sdlHost();

// A new thread of the system's for body; false when the system refuses one.
bool startSystemThread(std::function<void()> body, std::thread& thread);

// A broken-down time as Windows gives it, with its milliseconds.
SYSTEMTIME systemTimeOf(const tm& date, WORD milliseconds);

}  // namespace layer::host
