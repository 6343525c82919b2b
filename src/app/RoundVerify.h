// RoundVerify.h — round files given on the command line: read as hostile
// input (`readRoundFile`, which `--watch FILE` and the replay tool's
// `--round FILE` use too), and `--verify FILE`: the round played to its end
// without a window, a device or sound, as fast as it can, then what it
// reached set against what it claims.
// Limits: main thread, before the game starts (playRound uses the field's
// globals). Depends on: the Windows file operations, parseRoundFile,
// playRound.
#pragma once

#include "game/RoundRecording.h"

#include <string>

constexpr int ExitRoundVerified = 0;
constexpr int ExitRoundNotMatching = 1;
constexpr int ExitRoundUnreadable = 2;

struct RoundVerdict {
    int exitCode = ExitRoundUnreadable;
    // One line: "score 1870 chain 3 (file claims 1870 chain 3): verified",
    // "...: does not match", or why the file could not be played.
    std::string text;
};

// The round of the file at `path`; false with why not in `problem`.
bool readRoundFile(const std::string& path, RoundRecording& recording, std::string& problem);

RoundVerdict verifyRoundFile(const std::string& path);
