// The message loop on the real clock: its processor cost while it waits
// between ticks (processor seconds per wall second over a few seconds, beside
// the same figure for a pure busy-poll loop on the same machine), how it
// catches up after a stall (the undrawn ticks and the time between them), and
// what a settings write costs (on the disk of the current folder) and how late
// the ticks run while the volume changes, the settings written as the game
// writes them or at once in the tick that made the change, beside the same
// loop with no change at all.
// Needs a display (run it under xvfb-run on a machine without one).
#include "app/FrameClock.h"
#include "app/GameWindow.h"
#include "app/SaveFolders.h"
#include "app/Scene.h"
#include "app/Settings.h"
#include "app/WinMain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <ctime>
#include <thread>
#include <vector>
#include <windows.h>

namespace {

double processSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

constexpr auto Span = std::chrono::seconds(3);

HWND benchWindow()
{
    static HWND window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWDEFAULT);
    return window;
}

void BM_MessageLoopWhileIdle(benchmark::State& state)
{
    if (!benchWindow()) {
        state.SkipWithError("needs a display (run under xvfb-run)");
        return;
    }
    sceneManager = new SceneManager();
    sceneManager->SetScene(new Scene());
    double ratio = 0;
    for (auto _ : state) {
        const double cpu0 = processSeconds();
        const auto wall0 = std::chrono::steady_clock::now();
        while (std::chrono::steady_clock::now() - wall0 < Span) MessageLoopPass();
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
        ratio = (processSeconds() - cpu0) / wall;
    }
    state.counters["cpu_per_wall_s"] = ratio;
    delete sceneManager;
    sceneManager = nullptr;
}

// A stall that makes the next tick about 95 ms overdue (late 1120), safely
// inside the range that costs five undrawn ticks when they run back to back.
constexpr auto Stall = std::chrono::milliseconds(112);

// Stalls in its first Update; records when each later tick runs and whether
// it is drawn.
struct StallingScene : Scene {
    struct TickTime {
        std::chrono::steady_clock::time_point at;
        bool drawn;
    };
    bool stalled = false;
    std::vector<TickTime> ticks;
    void Update() override
    {
        if (!stalled) {
            stalled = true;
            std::this_thread::sleep_for(Stall);
            return;
        }
        ticks.push_back({std::chrono::steady_clock::now(), sceneManager->drawThisFrame != 0});
    }
};

void BM_CatchUpAfterStall(benchmark::State& state)
{
    if (!benchWindow()) {
        state.SkipWithError("needs a display (run under xvfb-run)");
        return;
    }
    double undrawn = 0;
    double gapMs = 0;
    for (auto _ : state) {
        sceneManager = new SceneManager();
        auto* scene = new StallingScene();
        sceneManager->SetScene(scene);
        while (scene->ticks.empty() || !scene->ticks.back().drawn) MessageLoopPass();
        // The ticks after the stall up to the first drawn one.
        const size_t gaps = scene->ticks.size() - 1;
        undrawn += static_cast<double>(gaps);
        if (gaps > 0)
            gapMs +=
                std::chrono::duration<double, std::milli>(scene->ticks.back().at - scene->ticks.front().at).count() /
                static_cast<double>(gaps);
        delete sceneManager;
        sceneManager = nullptr;
    }
    state.counters["undrawn_ticks"] = undrawn / static_cast<double>(state.iterations());
    state.counters["catch_up_gap_ms"] = gapMs / static_cast<double>(state.iterations());
}

void BM_BusyPollLoop(benchmark::State& state)
{
    double ratio = 0;
    for (auto _ : state) {
        const double cpu0 = processSeconds();
        const auto wall0 = std::chrono::steady_clock::now();
        volatile long polls = 0;
        while (std::chrono::steady_clock::now() - wall0 < Span) polls = polls + 1;
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
        ratio = (processSeconds() - cpu0) / wall;
    }
    state.counters["cpu_per_wall_s"] = ratio;
}

// A settings folder of its own in the current folder (the disk the user's
// folders are on, where /tmp may be a tmpfs), removed afterwards.
struct ScratchSettings {
    std::filesystem::path path = std::filesystem::current_path() / ("bench-settings-" + std::to_string(getpid()));
    ScratchSettings()
    {
        std::filesystem::create_directories(path);
        saveFolders.where = SaveFolders::Where::Given;
        saveFolders.given = path.string();
        settings = Settings();
    }
    ~ScratchSettings()
    {
        std::filesystem::remove_all(path);
        saveFolders.where = SaveFolders::Where::User;
        settings = Settings();
    }
};

double msSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void BM_SettingsWrite(benchmark::State& state)
{
    ScratchSettings scratch;
    double slowest = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        settings.volume = settings.volume == 100 ? 90 : 100;
        if (settings.save() != Settings::Outcome::Written) {
            state.SkipWithError("the settings could not be written");
            break;
        }
        slowest = std::max(slowest, msSince(start));
    }
    state.counters["slowest_ms"] = slowest;
}

// A player stepping the volume six times a second, through all its levels
// and round again: records how late each
// tick's logic and drawing run after the tick was due, in the frame clock's
// milliseconds, and how many writes it saw land.
struct VolumeStepsScene : Scene {
    bool steps = true;
    bool writeAtOnce = false;
    int ticks = 0;
    int writes = 0;
    bool unwritten = false;
    unsigned int worstUpdate = 0;
    unsigned int worstDraw = 0;
    int lateDraws = 0;  // drawn 2 ms or more after the tick was due

    // The tick now running was due at the schedule Tick has just advanced.
    static unsigned int lateNow() { return (FrameClockNow() - sceneManager->nextTime) / 10; }
    void Update() override
    {
        worstUpdate = std::max(worstUpdate, lateNow());
        if (unwritten && !settings.changed()) ++writes;
        if (++ticks % 10 == 0 && steps) {
            settings.volume = (settings.volume + 10) % 110;
            if (writeAtOnce) settings.save();
        }
        unwritten = settings.changed();
    }
    void Render() override
    {
        const unsigned int late = lateNow();
        worstDraw = std::max(worstDraw, late);
        lateDraws += late >= 2;
    }
};

void BM_TicksAroundSettingsWrites(benchmark::State& state)
{
    if (!benchWindow()) {
        state.SkipWithError("needs a display (run under xvfb-run)");
        return;
    }
    ScratchSettings scratch;
    auto* scene = new VolumeStepsScene();
    // 0: no step at all (the machine's own lateness), 1: the game's way,
    // 2: each step written at once in its tick, as the game once did.
    scene->steps = state.range(0) != 0;
    scene->writeAtOnce = state.range(0) == 2;
    sceneManager = new SceneManager();
    sceneManager->SetScene(scene);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        while (msSince(start) < 5000) MessageLoopPass();
    }
    static const char* const labels[] = {"no change", "written on its thread", "written in the tick (as before)"};
    state.SetLabel(labels[state.range(0)]);
    state.counters["ticks"] = scene->ticks;
    state.counters["writes_seen"] = scene->writeAtOnce ? scene->ticks / 10 : scene->writes;
    state.counters["worst_update_late_ms"] = scene->worstUpdate;
    state.counters["worst_draw_late_ms"] = scene->worstDraw;
    state.counters["draws_late_2ms"] = scene->lateDraws;
    delete sceneManager;
    sceneManager = nullptr;
}

}  // namespace

BENCHMARK(BM_SettingsWrite)->Iterations(50)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TicksAroundSettingsWrites)->DenseRange(0, 2)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MessageLoopWhileIdle)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatchUpAfterStall)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BusyPollLoop)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
