// field_bench.cpp — what a frame of the puzzle costs: an evaluation on its
// worst board (one colour everywhere with the wild: the most paths to count),
// and one update of a busy frame (refill of emptied cells, a colour change and
// a clearing evaluation in one frame).
// Each iteration first restores the board it measures; BM_RestoreOnly gives
// that restore's own cost to subtract.
#include "game/PuzzleField.h"
#include "game/RoundInput.h"
#include "game/RoundRecording.h"

#include "platform/testing.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

struct Setup {
    PuzzleField* field;
    int32_t board[16];

    explicit Setup(int32_t fill)
    {
        testmode::enable();
        testmode::setWindowRect(RECT{0, 0, 1280, 1024});
        fieldRandom.seed(1);
        field = new PuzzleField();
        field->resetRound();
        std::fill(board, board + 16, fill);
    }
    ~Setup() { delete field; }

    void restore(int32_t phase)
    {
        std::copy(board, board + 16, field->board);
        std::copy(board, board + 16, field->shownBoard);
        std::fill(field->shrink, field->shrink + 16, 0);
        field->phase = phase;
        field->timeLeft = 3600;
        field->leftHeld = field->rightHeld = false;
        field->wildPresent = std::find(board, board + 16, PuzzleField::WILD) != board + 16;
    }
};

void BM_EvaluateOneColourWithWild(benchmark::State& state)
{
    Setup s(1);
    s.board[5] = PuzzleField::WILD;
    for (auto _ : state) {
        s.restore(150);
        s.field->evaluate();
        benchmark::DoNotOptimize(s.field->board);
    }
}
BENCHMARK(BM_EvaluateOneColourWithWild);

void BM_CountGroupOneColourWithWild(benchmark::State& state)
{
    Setup s(1);
    s.board[5] = PuzzleField::WILD;
    s.restore(150);
    for (auto _ : state) {
        int32_t counter = 0;
        s.field->countGroup(0, 0, counter);
        benchmark::DoNotOptimize(counter);
    }
}
BENCHMARK(BM_CountGroupOneColourWithWild);

// Phase 149 → 150: four cells refill, the left button changes a cell that
// completes a group, the right button evaluates and clears it.
void BM_UpdateBusyFrame(benchmark::State& state)
{
    Setup s(0);
    const int32_t pattern[16] = {0, 2, 3, 2, 0, 3, 2, 3, 0, 2, 3, 1, 0, 1, 1, 5};
    std::copy(pattern, pattern + 16, s.board);
    testmode::setKey(VK_LBUTTON, true);
    testmode::setKey(VK_RBUTTON, true);
    testmode::setMouse(3 * 256 + 128, 3 * 256 + 128);  // the 5 becomes 1: four 1s
    roundInput = RoundInput::sample();
    for (auto _ : state) {
        s.restore(149);
        s.field->update();
        benchmark::DoNotOptimize(s.field->board);
    }
}
BENCHMARK(BM_UpdateBusyFrame);

void BM_RestoreOnly(benchmark::State& state)
{
    Setup s(1);
    for (auto _ : state) {
        s.restore(150);
        benchmark::DoNotOptimize(s.field->board);
    }
}
BENCHMARK(BM_RestoreOnly);

// What recording costs a tick of play: the tick's input sampled from the
// devices and handed to the recorder, the pointer moving every tick and a
// button changing every 20 (a round of 3600 ticks, then a new one).
void BM_SampleAndRecordTick(benchmark::State& state)
{
    Setup s(1);
    RoundRecorder recorder;
    uint32_t t = 0;
    for (auto _ : state) {
        if (t % 3600 == 0) recorder.begin(RoundStart{});
        testmode::setMouse(static_cast<int>(t % 1024), static_cast<int>((t / 4) % 1024));
        testmode::setKey(VK_LBUTTON, t % 20 < 3);
        const RoundInput input = RoundInput::sample();
        recorder.tick(input, false);
        benchmark::DoNotOptimize(input);
        ++t;
        if (t % 3600 == 0) benchmark::DoNotOptimize(recorder.finish(0, 0));
    }
}
BENCHMARK(BM_SampleAndRecordTick);

}  // namespace

BENCHMARK_MAIN();
