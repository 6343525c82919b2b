// main.cpp — vantorel-replay: reads the command line and the script, settles
// the seeds and the length of the run, then runs the game once. Exit status:
// 0 done, 1 an output could not be written (or the game did not start),
// 2 a bad command line or script.
// Limits: Linux (the tool finds its own folder through /proc/self/exe).
#include "ReplayOptions.h"
#include "ReplayRun.h"
#include "ReplayScript.h"
#include "app/RoundWatch.h"
#include "app/RoundVerify.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <random>

namespace {

constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

int usageError(const std::string& message)
{
    std::fprintf(stderr, "vantorel-replay: %s\n%s", message.c_str(), replay::UsageText);
    return ExitUsage;
}

std::vector<ScriptEvent> readScriptFrom(const std::string& path)
{
    if (path.empty()) return replay::readScript(std::cin);
    std::ifstream file(path);
    if (!file) throw replay::ScriptError("cannot open the script");
    return replay::readScript(file);
}

// The game reads DATA/ from the working directory. A run started elsewhere
// (say from the source tree) moves to the tool's own folder when DATA/ was
// generated there; the paths of the command line are made absolute first.
void findGameData(replay::ReplayOptions& options)
{
    namespace fs = std::filesystem;
    if (fs::is_directory("DATA")) return;
    std::error_code error;
    const fs::path toolFolder = fs::read_symlink("/proc/self/exe", error).parent_path();
    if (error || !fs::is_directory(toolFolder / "DATA")) {
        std::fputs("vantorel-replay: no DATA folder here; the game runs without its images and sounds\n", stderr);
        return;
    }
    for (std::string* path : {&options.tracePath, &options.framesDir, &options.audioPath, &options.scoresDir})
        if (!path->empty()) *path = fs::absolute(*path).string();
    fs::current_path(toolFolder, error);
    if (error)
        std::fprintf(stderr, "vantorel-replay: cannot move to %s: %s\n", toolFolder.c_str(), error.message().c_str());
}

// A run without a given seed draws one and says which, so it can be repeated.
void settleSeed(std::optional<uint32_t>& seed, const char* option)
{
    if (seed) return;
    seed = std::random_device{}();
    std::fprintf(stderr, "vantorel-replay: %s %u\n", option, static_cast<unsigned>(*seed));
}

}  // namespace

int main(int argc, char** argv)
{
    replay::ReplayOptions options;
    try {
        options = replay::parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const replay::UsageError& error) {
        return usageError(error.what());
    }
    if (options.help) {
        std::fputs(replay::UsageText, stdout);
        return 0;
    }

    std::vector<ScriptEvent> events;
    uint32_t lastTick = 0;
    if (!options.roundPath.empty()) {
        // The game plays it at start-up, as it plays a round the player watches.
        RoundRecording recording;
        std::string message;
        if (!readRoundFile(options.roundPath, recording, message)) {
            std::fprintf(stderr, "vantorel-replay: round %s: %s\n", options.roundPath.c_str(), message.c_str());
            return ExitUsage;
        }
        watchRequest = std::move(recording);
        // The game quits when the round ends; this only bounds the run.
        lastTick = options.ticks ? *options.ticks : std::numeric_limits<uint32_t>::max();
    } else {
        try {
            events = readScriptFrom(options.scriptPath);
        } catch (const replay::ScriptError& error) {
            const std::string source = options.scriptPath.empty() ? "standard input" : options.scriptPath;
            std::fprintf(stderr, "vantorel-replay: script %s: %s\n", source.c_str(), error.what());
            return ExitUsage;
        }
        if (options.ticks) lastTick = *options.ticks;
        else if (!events.empty()) lastTick = events.back().tick;
        else return usageError("the script has no events: give --ticks to say how long to run");
    }

    settleSeed(options.seedField, "--seed-field");
    settleSeed(options.seedScene, "--seed-scene");
    findGameData(options);

    std::FILE* trace = stdout;
    if (!options.tracePath.empty()) {
        trace = std::fopen(options.tracePath.c_str(), "wb");
        if (!trace) {
            std::fprintf(stderr, "vantorel-replay: cannot create the trace %s\n", options.tracePath.c_str());
            return ExitFailed;
        }
    }
    replay::ReplayRun run(options, std::move(events), lastTick, trace);
    int status = run.run();
    if (trace != stdout && std::fclose(trace) != 0) {
        std::fprintf(stderr, "vantorel-replay: the trace %s could not be written\n", options.tracePath.c_str());
        status = ExitFailed;
    }
    return status;
}
