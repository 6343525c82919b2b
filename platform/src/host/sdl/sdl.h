// sdl.h — the sdl host: the machine through SDL2, the host the game ships
// with.
//
// Provides: windows on the desktop SDL finds, named with the game's desktop id
// (X11 or Wayland; none without a
// display, and none on SDL's offscreen or dummy drivers, where nobody could
// see or close them), placed to fit the screen and its density; the keyboard,
// mouse, cursor and focus as SDL reports them; the wait for input on SDL's
// event queue; wall-clock time since the process started; the
// kernel's random source; frames shown through an SDL renderer, scaled into
// the destination rectangle Present names, dark around it; SDL's default
// playback device pulling the mix on its own thread; the system's threads
// for the layer's own work.
//
// Leaves out: call logs (tests of call orders run on the headless host),
// adapters that lack a device type (the rasteriser offers them all), and
// exclusive video modes (a full-screen window covers the desktop as it is).
// Pads need nothing of a host: the dinput area reads SDL's joysticks
// directly.
#pragma once

#include "host/host.h"

namespace layer::host {

// Tells SDL the game's desktop id and name (the window class, the audio
// stream's name and role) before it starts video or audio.
void nameTheApplication();

class SdlHost : public Host {
public:
    bool startVideo() override;
    Placement place(int x, int y, int clientWidth, int clientHeight, int frameTop) override;
    bool hasFocus(const Window& window) override;
    bool windowRect(HWND window, RECT& rect) override;
    bool cursorPos(POINT& point) override;
    bool idle() override { return false; }
    bool waitForInput(DWORD milliseconds) override;
    bool messagesCanArrive() override;
    bool closesOnRequest() override { return true; }
    void filesLocked(const std::string& /*lockFile*/) override {}
    void filesUnlocking(const std::string& /*lockFile*/) override {}

    clock_t clockMs() override;
    bool random(unsigned int& value) override;
    DWORD processId() override;

    std::unique_ptr<FramePresenter> openPresenter() override;
    AdapterSupport adapter() override { return {}; }
    bool drawing() override { return true; }

    std::unique_ptr<AudioOutput> openAudio(const std::shared_ptr<AudioSource>& source) override;

    bool startThread(std::function<void()> body, std::thread& thread) override
    {
        return startSystemThread(std::move(body), thread);
    }

    void recordCall(const std::string& /*call*/) override {}
    bool deviceCallLog() override { return false; }
    void soundCall(const char* /*call*/, int /*buffer*/, long /*value*/) override {}
};

}  // namespace layer::host
