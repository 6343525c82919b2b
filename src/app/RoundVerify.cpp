// RoundVerify.cpp — reading the file (at most MAX_ROUND_FILE_BYTES, a link
// followed to its file), parsing and playing it.
#include "app/RoundVerify.h"

#include "game/RoundFile.h"

#include <windows.h>

namespace {

bool isMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// The file's text, or why there is none (empty when it was read).
std::string readRoundText(const std::string& path, std::string& text)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES && isMissing(GetLastError())) return "no such file";
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return "it is a folder";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return isMissing(error) ? "no such file" : "it cannot be read (error " + std::to_string(error) + ")";
    }
    std::string problem;
    char buffer[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            problem = "it cannot be read (error " + std::to_string(GetLastError()) + ")";
            break;
        }
        if (got == 0) break;
        // A round file is small: anything over the limit is refused before
        // more of it is read, so that a huge file costs no memory.
        if (text.size() + got > MAX_ROUND_FILE_BYTES) {
            problem =
                "it is larger than " + std::to_string(MAX_ROUND_FILE_BYTES) + " bytes, too large for a round file";
            break;
        }
        text.append(buffer, got);
    }
    CloseHandle(file);
    if (!problem.empty()) text.clear();
    return problem;
}

}  // namespace

bool readRoundFile(const std::string& path, RoundRecording& recording, std::string& problem)
{
    std::string text;
    problem = readRoundText(path, text);
    if (!problem.empty()) return false;
    RoundFileRead read = parseRoundFile(text);
    if (read.status != RoundFileStatus::Read) {
        problem = read.message;
        return false;
    }
    recording = std::move(read.recording);
    return true;
}

RoundVerdict verifyRoundFile(const std::string& path)
{
    RoundVerdict verdict;
    RoundRecording recording;
    std::string problem;
    if (!readRoundFile(path, recording, problem)) {
        verdict.text = "vantorel: cannot verify '" + path + "': " + problem;
        return verdict;
    }
    const RoundOutcome outcome = playRound(recording);
    const bool matches = outcome.score == recording.score && outcome.chain == recording.chain;
    // A round of the day starts where every player's round of that day
    // starts: the engine seeded with the date, nothing drawn or carried.
    const RoundStart& start = recording.start;
    const bool dayStart = start.day == 0 || (start.seed == start.day && start.drawn == 0 && start.changeCount == 0);
    verdict.exitCode = matches && dayStart ? ExitRoundVerified : ExitRoundNotMatching;
    verdict.text = "score " + std::to_string(outcome.score) + " chain " + std::to_string(outcome.chain) +
                   " (file claims " + std::to_string(recording.score) + " chain " + std::to_string(recording.chain) +
                   "): " + (verdict.exitCode == ExitRoundVerified ? "verified" : "does not match");
    if (start.day != 0)
        verdict.text += dayStart ? ", the round of the day " + std::to_string(start.day)
                                 : "; its start is not the one of the round of the day " + std::to_string(start.day);
    return verdict;
}
