// The message loop on the real clock: its processor cost while it waits
// between ticks (processor seconds per wall second over a few seconds, beside
// the same figure for a pure busy-poll loop on the same machine), and how it
// catches up after a stall (the undrawn ticks and the time between them).
// Needs a display (run it under xvfb-run on a machine without one).
#include "app/GameWindow.h"
#include "app/Scene.h"
#include "app/WinMain.h"

#include <benchmark/benchmark.h>

#include <chrono>
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

}  // namespace

BENCHMARK(BM_MessageLoopWhileIdle)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatchUpAfterStall)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BusyPollLoop)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
