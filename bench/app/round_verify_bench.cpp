// round_verify_bench.cpp — what `--verify FILE` costs for a one-minute round:
// the file read, parsed and played to its end with no device, as the option
// does it. The round clicks a cell every 40 ticks or so and asks for a clear
// every fourth click, through the whole minute.
#include "app/RoundVerify.h"
#include "game/RoundFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

RoundRecording oneMinuteOfClicks()
{
    RoundRecording recording;
    recording.start.seed = 20261209;
    recording.start.track = 10;
    const int32_t cells[][2] = {{384, 384}, {640, 384}, {128, 640}, {896, 128}, {384, 896},
                                {640, 640}, {128, 128}, {896, 896}, {640, 128}, {384, 640}};
    RoundInput input;
    input.pointerKnown = true;
    auto change = [&](uint32_t tick) { recording.changes.push_back(InputChange{tick, input}); };
    uint32_t tick = 10;
    for (int k = 0; tick < 3560; ++k) {
        input.pointerX = cells[k % 10][0];
        input.pointerY = cells[k % 10][1];
        input.leftDown = true;
        change(tick);
        input.leftDown = false;
        change(tick + 3);
        if (k % 4 == 3) {
            input.rightDown = true;
            change(tick + 8);
            input.rightDown = false;
            change(tick + 11);
        }
        tick += 37 + ((k + 1) * 7) % 23;
    }
    return recording;
}

void BM_VerifyOneMinuteRound(benchmark::State& state)
{
    const std::string path = (std::filesystem::temp_directory_path() / "vantorel-verify-bench.txt").string();
    RoundRecording recording = oneMinuteOfClicks();
    const RoundOutcome outcome = playRound(recording);
    recording.score = outcome.score;
    recording.chain = outcome.chain;
    std::ofstream(path, std::ios::binary) << formatRoundFile(recording);
    RoundVerdict verdict;
    for (auto _ : state) {
        verdict = verifyRoundFile(path);
        benchmark::DoNotOptimize(verdict);
    }
    std::remove(path.c_str());
    if (verdict.exitCode != ExitRoundVerified) state.SkipWithError(verdict.text.c_str());
    state.SetLabel(std::to_string(outcome.ticks) + " ticks, " + verdict.text);
}
BENCHMARK(BM_VerifyOneMinuteRound)->Unit(benchmark::kMillisecond);

}  // namespace
