// RiffWave.h — RIFF/WAVE files built in memory: little-endian fields, chunks,
// the body of a "fmt " chunk and the canonical 44-byte header of 16-bit PCM.
// The generator writes its effects with pcm16(); the tests build the files
// they feed the WAV reader, damaged ones included, from the pieces.
// Limits: writes only; every field is written byte by byte, so the bytes are
// the same whatever the host's byte order. Depends on: nothing.
#pragma once

#include <cstdint>
#include <vector>

namespace wav {

using Bytes = std::vector<uint8_t>;

constexpr uint16_t FormatPcm = 1;
constexpr uint32_t HeaderBytes = 44;

void put16(Bytes& out, uint16_t value);
void put32(Bytes& out, uint32_t value);

// The four-character id, the body's size, the body, and the pad byte that
// follows a body of odd size.
Bytes chunk(const char* id, const Bytes& body);

// The 16 bytes of a "fmt " chunk; the byte rate and block alignment follow
// from the layout.
Bytes formatBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits);

// "RIFF", its size, "WAVE" and the chunks in order.
Bytes riffWave(const std::vector<Bytes>& chunks);

Bytes samples16(const std::vector<int16_t>& samples);

// RIFF, a 16-byte "fmt " chunk of 16-bit PCM, and the id and size of the
// "data" chunk whose samples take `dataBytes` and follow.
Bytes header(uint32_t rate, uint16_t channels, uint32_t dataBytes);

// A whole 16-bit PCM file of interleaved samples.
Bytes pcm16(uint32_t rate, uint16_t channels, const std::vector<int16_t>& samples);

}  // namespace wav
