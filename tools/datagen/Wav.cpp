// Wav: 16-bit PCM RIFF/WAVE encoding.
#include "Wav.h"

#include <algorithm>
#include <cmath>

#include "Synth.h"

namespace datagen {

static void put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int k = 0; k < 4; ++k) out.push_back(uint8_t(v >> (8 * k)));
}
static void put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
static void putTag(std::vector<uint8_t>& out, const char* tag) {
  for (int k = 0; k < 4; ++k) out.push_back(uint8_t(tag[k]));
}

std::vector<uint8_t> encodeWav(const std::vector<float>& mono) {
  uint32_t dataBytes = uint32_t(mono.size() * 2);
  std::vector<uint8_t> out;
  putTag(out, "RIFF");
  put32(out, 4 + 8 + 16 + 8 + dataBytes + (dataBytes & 1));
  putTag(out, "WAVE");
  putTag(out, "fmt ");
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, kRate);
  put32(out, kRate * 2);
  put16(out, 2);
  put16(out, 16);
  putTag(out, "data");
  put32(out, dataBytes);
  for (float v : mono) put16(out, uint16_t(int16_t(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f))));
  return out;
}

}  // namespace datagen
