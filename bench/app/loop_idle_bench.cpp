// The message loop's processor cost while it waits between ticks: processor
// seconds per wall second over a few seconds of real time, beside the same
// figure for a pure busy-poll loop on the same machine. Needs a display (run
// it under xvfb-run on a machine without one).
#include "app/GameWindow.h"
#include "app/Scene.h"
#include "app/WinMain.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <windows.h>

namespace {

double processSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

constexpr auto Span = std::chrono::seconds(3);

void BM_MessageLoopWhileIdle(benchmark::State& state)
{
    static HWND window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWDEFAULT);
    if (!window) {
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
BENCHMARK(BM_BusyPollLoop)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
