// Ogg: encodes interleaved stereo float samples at 44.1 kHz as Ogg Vorbis
// (variable bit rate). The stream's serial number is given, and its last
// granule position is the exact number of frames, so the decoded length
// equals the input length (a loop stays a loop).
// Depends on: libvorbisenc, libogg.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

std::vector<uint8_t> encodeOgg(const std::vector<float>& stereo, float quality, int serial, const std::string& title);

}  // namespace datagen
