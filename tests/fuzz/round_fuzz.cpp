// round_fuzz.cpp — libFuzzer target for the round file: any bytes are read
// within the limits (refused with a message, or read as a recording whose
// ticks rise within an hour), and a recording read writes a file that reads
// back to the same recording and the same text. Links vt_puzzle.
#include "game/RoundFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const RoundFileRead read = parseRoundFile(std::string(reinterpret_cast<const char*>(data), size));
    if (read.status != RoundFileStatus::Read) {
        if (read.message.empty()) __builtin_trap();
        return 0;
    }
    const RoundRecording& recording = read.recording;
    uint32_t last = 0;
    RoundInput before;
    for (const InputChange& change : recording.changes) {
        if (change.tick <= last || change.tick > MAX_ROUND_TICKS || change.input == before) __builtin_trap();
        last = change.tick;
        before = change.input;
    }
    const std::string written = formatRoundFile(recording);
    const RoundFileRead again = parseRoundFile(written);
    if (again.status != RoundFileStatus::Read || !(again.recording == recording) ||
        formatRoundFile(again.recording) != written)
        __builtin_trap();
    return 0;
}
