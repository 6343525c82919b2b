// game_frames_bench.cpp — the cost of the game's own frames, drawn from DATA
// by the real game in test mode (run from the build folder): the waiting
// screen, a typical frame of a played round (every drawn tick of clears and
// their turn cycles), a frame in which the whole board changes, and the
// waiting screen redrawn whole. A figure is the median time of one drawn
// tick (logic, drawing, rasterising what changed, and the capture that
// stands in for the screen). Beside it, measured in the same run on the same
// frames: the memory floor, clearing the damaged pixels and writing once
// every byte the frame's clears and draws touch in them (memset + memcpy),
// and the ratio of the two.
#include "game_frames.h"

#include "app/FrameClock.h"
#include "app/GameWindow.h"
#include "app/SaveFolders.h"
#include "app/Scene.h"
#include "app/Systems.h"
#include "app/WinMain.h"
#include "app/sceneMain.h"
#include "game/PuzzleField.h"

#include "platform/testing.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Width = 1280;
constexpr int Height = 1024;

struct Game {
    HWND window = nullptr;
    std::vector<uint32_t> floorTarget = std::vector<uint32_t>(static_cast<size_t>(Width) * Height);
    std::vector<uint32_t> floorSource = std::vector<uint32_t>(static_cast<size_t>(Width) * Height, 0x80402010u);

    Game()
    {
        testmode::enable();
        testmode::setDeviceCallLog(false);
        saveFolders.where = SaveFolders::Where::Nowhere;  // keeps no best scores
        fieldRandom.seed(7);
        sceneRandom.seed(8);
        window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWDEFAULT);
        InitSystems(window);
        testmode::setMouse(1150, 950);
    }

    PuzzleField& field() { return *static_cast<sceneMain*>(sceneManager->scene)->field; }
    bool playing() { return static_cast<sceneMain*>(sceneManager->scene)->playing; }

    // One drawn tick through the real message loop; its time in seconds.
    double drawnTick()
    {
        testmode::setClock((sceneManager->nextTime + FramePeriod + 9) / 10);
        const unsigned int before = sceneManager->nextTime;
        const Clock::time_point start = Clock::now();
        for (int pass = 0; pass < 100 && sceneManager->nextTime == before; ++pass) MessageLoopPass();
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    // The last frame's floor, in seconds: its damage cleared, its touched bytes written once.
    double floorOfLastFrame()
    {
        const testmode::RasterisedFrame frame = testmode::lastRasterisedFrame();
        const Clock::time_point start = Clock::now();
        for (const RECT& r : frame.damage)
            for (LONG y = r.top; y < r.bottom; ++y)
                std::memset(&floorTarget[static_cast<size_t>(y) * Width + r.left], 0, (r.right - r.left) * 4);
        for (const RECT& r : frame.drawn)
            for (LONG y = r.top; y < r.bottom; ++y) {
                const size_t at = static_cast<size_t>(y) * Width + r.left;
                std::memcpy(&floorTarget[at], &floorSource[at], (r.right - r.left) * 4);
            }
        benchmark::DoNotOptimize(floorTarget.data());
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    // Rows top to bottom, one colour per cell.
    void setBoard(const char* cells)
    {
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                field().board[c * 4 + r] = field().shownBoard[c * 4 + r] = cells[r * 4 + c] - '0';
    }

    void startRound()
    {
        testmode::setKey(VK_SPACE, true);
        drawnTick();
        testmode::setKey(VK_SPACE, false);
        while (field().phase < field().evaluateFrom) drawnTick();
    }
};

Game& game()
{
    static Game g;
    return g;
}

// Times drawn ticks made by step (which prepares a tick and draws it), with
// the floor of each frame, and reports both and their ratio.
template <class Step> void measure(benchmark::State& state, Step step)
{
    Game& g = game();
    std::vector<double> ticks, floors;
    for (auto _ : state) {
        const double seconds = step(g);
        state.SetIterationTime(seconds);
        ticks.push_back(seconds);
        floors.push_back(g.floorOfLastFrame());
    }
    std::sort(ticks.begin(), ticks.end());
    std::sort(floors.begin(), floors.end());
    const double tick = ticks[ticks.size() / 2], floor = floors[floors.size() / 2];
    state.counters["median_ms"] = tick * 1e3;
    state.counters["floor_ms"] = floor * 1e3;
    state.counters["x_floor"] = floor > 0 ? tick / floor : 0;
}

void WaitingScreen(benchmark::State& state)
{
    measure(state, [](Game& g) { return g.drawnTick(); });
}

void PlayedRound(benchmark::State& state)
{
    measure(state, [](Game& g) {
        if (!g.playing()) g.startRound();
        if (g.field().phase >= g.field().evaluateFrom) {
            // A clear of the left column, then its turn cycle and refill.
            g.setBoard("1234134514521523");
            testmode::setMouse(640, 384);
            testmode::setKey(VK_RBUTTON, true);
            const double seconds = g.drawnTick();
            testmode::setKey(VK_RBUTTON, false);
            testmode::setMouse(1150, 950);
            return seconds;
        }
        return g.drawnTick();
    });
}

void WholeBoardChanging(benchmark::State& state)
{
    bool flip = false;
    measure(state, [&flip](Game& g) {
        flip = !flip;
        g.setBoard(flip ? "1234234534514512" : "5123451223413452");
        return g.drawnTick();
    });
}

void WaitingScreenFullRedraw(benchmark::State& state)
{
    testmode::setPortableRasteriser(state.range(0) != 0);
    testmode::setFullRedraw(true);
    measure(state, [](Game& g) { return g.drawnTick(); });
    testmode::setFullRedraw(false);
    testmode::setPortableRasteriser(false);
    state.SetLabel(state.range(0) ? "portable scalar" : "vector kernels");
}

}  // namespace

void startBenchGame() { game(); }

BENCHMARK(WaitingScreen)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(300);
BENCHMARK(PlayedRound)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(600);
BENCHMARK(WholeBoardChanging)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(100);
BENCHMARK(WaitingScreenFullRedraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(100);
