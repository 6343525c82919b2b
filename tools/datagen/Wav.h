// Wav: encodes mono float samples as a 16-bit PCM RIFF/WAVE file at 44.1 kHz,
// each sample clamped to full scale rather than wrapped.
// Depends on: Synth.h for the rate, RiffWave for the file.
#pragma once

#include <cstdint>
#include <vector>

namespace datagen {

std::vector<uint8_t> encodeWav(const std::vector<float>& mono);

}  // namespace datagen
