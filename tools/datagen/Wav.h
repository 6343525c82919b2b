// Wav: encodes mono float samples as a 16-bit PCM RIFF/WAVE file at 44.1 kHz
// (a "fmt " chunk of 16 bytes, then the "data" chunk).
// Depends on: Synth.h for the rate.
#pragma once

#include <cstdint>
#include <vector>

namespace datagen {

std::vector<uint8_t> encodeWav(const std::vector<float>& mono);

}  // namespace datagen
