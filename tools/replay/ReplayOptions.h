// ReplayOptions.h — the replay tool's command line:
//
//   --seed-field N   --seed-scene N     seeds of the two engines (0–4294967295)
//   --script FILE    (default: standard input)
//   --trace FILE     (default: standard output)
//   --frames DIR --frame-at T1,T2,...   PNG of the back buffer after those ticks
//   --audio FILE.wav                    the mixed audio of the whole run
//   --ticks N                           stop after tick N
//   --scores DIR                        keep the best scores and settings in DIR
//   --round FILE                        play a round file, as a player watches it, instead of a script
//   --help
//
// Limits: every option at most once; --frames and --frame-at come together;
// --round and --script exclude each other.
// Depends on: nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace replay {

struct ReplayOptions {
    std::optional<uint32_t> seedField;
    std::optional<uint32_t> seedScene;
    std::string scriptPath;  // empty: standard input
    std::string tracePath;   // empty: standard output
    std::string framesDir;
    std::set<uint32_t> frameTicks;
    std::string audioPath;
    std::optional<uint32_t> ticks;
    std::string scoresDir;  // empty: the run keeps no table
    std::string roundPath;  // empty: the run plays the script
    bool help = false;
};

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws UsageError for an unknown option, a missing or malformed value, or a
// repeated option.
ReplayOptions parseOptions(const std::vector<std::string>& arguments);

extern const char* const UsageText;

}  // namespace replay
