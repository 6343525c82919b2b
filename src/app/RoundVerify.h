// RoundVerify.h — `--verify FILE`: a round file read as hostile input and
// played to its end without a window, a device or sound, as fast as it can,
// then what it reached set against what it claims.
// Limits: main thread, before the game starts (playRound uses the field's
// globals). Depends on: the Windows file operations, parseRoundFile,
// playRound.
#pragma once

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

RoundVerdict verifyRoundFile(const std::string& path);
