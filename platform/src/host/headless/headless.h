// headless.h — the headless host: the machine a test or the replay tool
// plays, installed by testmode::enable() (platform/testing.h). It is linked
// only into tests, benchmarks and tools, never into the game.
//
// Provides: windows on SDL's dummy video driver (one 1024 × 768 display),
// placed exactly where the game asks and otherwise moved or resized only by
// the caller; a virtual clock that moves only when the caller
// moves it; a seeded random source; the cursor, the window rectangle, the
// focus and the keys as the caller injects them; an idle hook run whenever
// PeekMessageA finds the queue empty, and waits that last their whole
// timeout on the virtual clock; every presented frame captured as pixels,
// with Present failures and a reduced adapter on request; a virtual audio
// device the caller renders at its own pace; logs of window, device and sound
// calls; the system's threads for the layer's own work, counted, or none
// while the caller refuses them. Pads are SDL virtual joysticks attached
// through SDL itself, so SDL's controller mapping is exercised as on a real
// machine.
//
// Leaves out: anything on screen or audible, real input events (SDL's dummy
// driver sends none worth translating), and wall-clock time.
#pragma once

#include "host/host.h"

#include "testing/sound.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <random>
#include <vector>

#include <unistd.h>

namespace layer::host {

class HeadlessHost final : public Host {
public:
    bool startVideo() override;
    Placement place(int x, int y, int clientWidth, int clientHeight, int frameTop) override;
    bool hasFocus(const Window& window) override;
    bool windowRect(HWND window, RECT& rect) override;
    bool cursorPos(POINT& point) override;
    bool idle() override;
    // Nothing arrives on its own: the wait lasts its whole timeout on the
    // virtual clock.
    bool waitForInput(DWORD milliseconds) override
    {
        if (milliseconds != INFINITE) clock += milliseconds;
        return false;
    }
    bool messagesCanArrive() override { return true; }
    bool closesOnRequest() override { return true; }
    void filesLocked(const std::string& /*lockFile*/) override {}
    void filesUnlocking(const std::string& /*lockFile*/) override {}

    // The machine's files, folders and date, with the faults, folders and
    // date the caller sets (testing/files.h) played over them (files.cpp).
    int openFile(const std::string& path, int flags) override;
    int writeFile(int fd, const char* bytes, size_t count, size_t& written) override;
    int renameFile(const std::string& from, const std::string& to) override;
    int makeFolder(const std::string& path) override;
    int removeFile(const std::string& path) override;
    std::string userFolder(int csidl) override;
    void dateAndTime(SYSTEMTIME& time, bool utc) override;

    clock_t clockMs() override { return static_cast<clock_t>(clock); }
    bool random(unsigned int& value) override;
    DWORD processId() override { return static_cast<DWORD>(getpid()); }

    std::unique_ptr<FramePresenter> openPresenter() override;
    AdapterSupport adapter() override { return capture.adapter; }
    bool drawing() override { return capture.drawing; }

    std::unique_ptr<AudioOutput> openAudio(const std::shared_ptr<AudioSource>& source) override;

    // A system thread, or none at all while the caller refuses them.
    bool startThread(std::function<void()> body, std::thread& thread) override;

    void recordCall(const std::string& call) override { calls.push_back(call); }
    bool deviceCallLog() override { return capture.logging; }
    void soundCall(const char* call, int buffer, long value) override;

    // What the caller injects (platform/testing/core.h).
    uint32_t clock = 0;
    POINT cursor{0, 0};
    RECT injectedWindowRect{0, 0, 0, 0};
    bool windowRectInjected = false;
    bool focused = true;
    std::function<void()> onIdle;
    std::vector<std::string> calls;
    std::mt19937 randomEngine{0};
    int threadsAsked = 0;  // by the layer, for its own work
    bool threadsRefused = false;

    // Presented frames and what the adapter pretends (testing/graphics.h).
    struct Capture {
        std::vector<uint32_t> frame;  // the back buffer as presented, 0x??RRGGBB
        int width = 0;
        int height = 0;
        int presents = 0;
        bool destGiven = false;
        RECT dest{};
        int failuresLeft = 0;
        bool logging = true;
        bool drawing = true;
        AdapterSupport adapter;
    } capture;

    // The virtual audio device and the sound-call log (testing/sound.h); the
    // log is written from the game's threads too.
    std::atomic<bool> audioDevice{false};
    std::mutex audioMutex;
    std::weak_ptr<AudioSource> audioSource;
    std::mutex soundLogMutex;
    std::vector<testmode::SoundCall> soundLog;
};

HeadlessHost& headless();

}  // namespace layer::host
