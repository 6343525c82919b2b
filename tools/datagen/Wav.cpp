// Wav: float samples to 16-bit PCM.
#include "Wav.h"

#include <algorithm>
#include <cmath>

#include "RiffWave.h"
#include "Synth.h"

namespace datagen {

std::vector<uint8_t> encodeWav(const std::vector<float>& mono)
{
    std::vector<int16_t> samples;
    samples.reserve(mono.size());
    for (float v : mono) samples.push_back(int16_t(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f)));
    return wav::pcm16(kRate, 1, samples);
}

}  // namespace datagen
