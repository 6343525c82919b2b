// sound_test_support.h — helpers for the sound and music tests: RIFF/WAVE
// files built byte by byte, files made by sox and oggenc, a scratch folder,
// and the sound system started in test mode on the virtual audio device.
#pragma once

#include "framework/sound/SoundSystem.h"

#include "platform/testing.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace soundtest {

using Bytes = std::vector<uint8_t>;

inline void put16(Bytes& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void put32(Bytes& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

inline void putId(Bytes& out, const char* id)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(id[i]));
}

// A chunk with its pad byte when the size is odd; `declared` overrides the size field.
inline Bytes chunk(const char* id, const Bytes& body, int64_t declared = -1)
{
    Bytes out;
    putId(out, id);
    put32(out, declared >= 0 ? static_cast<uint32_t>(declared) : static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2) out.push_back(0);
    return out;
}

// A "fmt " chunk of `bytes` bytes (16 or more) for the given PCM layout.
inline Bytes fmtChunk(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, uint32_t bytes = 16)
{
    Bytes body;
    const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
    put16(body, tag);
    put16(body, channels);
    put32(body, rate);
    put32(body, rate * align);
    put16(body, align);
    put16(body, bits);
    body.resize(bytes, 0);
    return chunk("fmt ", body);
}

// A RIFF/WAVE file of the given subchunks; `declared` overrides the RIFF size.
inline Bytes riffWave(const std::vector<Bytes>& chunks, int64_t declared = -1)
{
    Bytes body;
    putId(body, "WAVE");
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    return chunk("RIFF", body, declared);
}

inline Bytes samples16(const std::vector<int16_t>& values)
{
    Bytes out;
    for (int16_t v : values) put16(out, static_cast<uint16_t>(v));
    return out;
}

// A folder of its own for each test program run, removed at its end.
class ScratchFolder {
public:
    ScratchFolder()
        : path_(std::filesystem::temp_directory_path() / ("vt_sound_" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string writeFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

inline Bytes readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
