// sound_test_support.h — helpers for the sound and music tests: RIFF/WAVE
// files built chunk by chunk, damaged ones too, files made by sox and oggenc,
// and the sound system started in test mode on the virtual audio device.
#pragma once

#include "framework/sound/SoundSystem.h"

#include "platform/testing.h"

#include "RiffWave.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace soundtest {

using wav::Bytes;
using wav::samples16;

// A chunk or a whole file whose size field says `declared` (when not -1)
// instead of the truth.
inline Bytes sized(Bytes chunk, int64_t declared)
{
    if (declared >= 0)
        for (int i = 0; i < 4; ++i) chunk[4 + i] = static_cast<uint8_t>(declared >> (8 * i));
    return chunk;
}

inline Bytes chunk(const char* id, const Bytes& body, int64_t declared = -1)
{
    return sized(wav::chunk(id, body), declared);
}

// A "fmt " chunk of `bytes` bytes (16 or more) for the given layout.
inline Bytes fmtChunk(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, uint32_t bytes = 16)
{
    Bytes body = wav::formatBody(tag, channels, rate, bits);
    body.resize(bytes, 0);
    return chunk("fmt ", body);
}

// A RIFF/WAVE file of the given subchunks; `declared` overrides the RIFF size.
inline Bytes riffWave(const std::vector<Bytes>& chunks, int64_t declared = -1)
{
    return sized(wav::riffWave(chunks), declared);
}

// Runs a tool (sox, oggenc) and reports whether it succeeded.
inline bool run(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()) == 0; }

// Test mode with the virtual device (or none), and a fresh sound system.
inline void startSound(bool withDevice)
{
    testmode::enable();
    testmode::enableAudioDevice(withDevice);
    testmode::clearSoundCalls();
    soundSystem = new SoundSystem();
}

inline void stopSound()
{
    delete soundSystem;
    soundSystem = nullptr;
    testmode::enableAudioDevice(false);
}

// Frames of a captured stereo stream.
inline std::vector<int16_t> left(const std::vector<int16_t>& stereo)
{
    std::vector<int16_t> out;
    for (size_t i = 0; i < stereo.size(); i += 2) out.push_back(stereo[i]);
    return out;
}

}  // namespace soundtest
