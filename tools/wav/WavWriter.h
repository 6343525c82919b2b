// WavWriter.h — writes a RIFF/WAVE file of 16-bit PCM while the samples come
// in (the replay tool's audio), so a long run never holds its whole audio in
// memory; the two sizes in the header are filled in by finish().
// Limits: at most 4 GiB of samples (the format's 32-bit sizes); further
// samples are refused and finish() then reports the failure. Depends on:
// RiffWave for the header.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace wav {

class WavWriter {
public:
    WavWriter(uint32_t sampleRate, uint16_t channels);
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    // False when the file cannot be created.
    bool open(const std::string& path);
    // Interleaved samples, `count` of them.
    void append(const int16_t* samples, size_t count);
    // Completes the header and closes the file; false when anything failed.
    bool finish();

private:
    uint32_t sampleRate_;
    uint16_t channels_;
    std::FILE* file_ = nullptr;
    uint64_t dataBytes_ = 0;
    bool failed_ = false;
};

}  // namespace wav
