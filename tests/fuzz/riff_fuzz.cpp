// riff_fuzz.cpp — libFuzzer target for the RIFF/WAVE reader: any bytes,
// written to a file as the game would find them, are either refused whole or
// give a PCM format and exactly the bytes of a data chunk inside the file.
// Links vt_sound (which brings the layer's dsound and kernel32 areas).
#include "framework/sound/WaveFile.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

// The file each input is written to, removed when the fuzzer exits.
struct InputFile {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("riff_fuzz_" + std::to_string(::getpid()) + ".wav");
    ~InputFile() { std::filesystem::remove(path); }
};

const std::string& inputPath()
{
    static const InputFile file;
    static const std::string path = file.path.string();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::FILE* file = std::fopen(inputPath().c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    WaveData wave{};
    if (!loadWave(inputPath().c_str(), wave)) return 0;
    if (wave.format.wFormatTag != WAVE_FORMAT_PCM || wave.format.cbSize != 0 || !wave.data) __builtin_trap();
    // The samples are bytes of the file, after at least the RIFF, fmt and data headers.
    if (wave.size > size || size - wave.size < 12 + 8 + 16 + 8) __builtin_trap();
    GlobalFree(wave.data);
    return 0;
}
