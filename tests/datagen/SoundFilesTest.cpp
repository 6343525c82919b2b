// The generated sounds, read back from build/DATA: each effect a short
// 16-bit PCM RIFF/WAVE that starts and ends at silence without clipping;
// each music track an Ogg Vorbis stream at 44.1 kHz stereo, at least 45 s,
// unclipped, whose end flows into its start.
// (The game's own WAV reader and effect loader get their checks with the
// sound and graphics code.)
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t le16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

TEST(GeneratedSounds, EffectsAreShortCleanSixteenBitPcmWaves) {
  for (const char* name : {"alarm", "meka_mi_radar01", "ta_ta_syupon01", "gasyan", "start"}) {
    std::string path = std::string("DATA/Sound/SE/") + name + ".wav";
    SCOPED_TRACE(path);
    std::vector<uint8_t> f = readAll(path);
    ASSERT_GE(f.size(), 44u);
    ASSERT_EQ(std::string(f.begin(), f.begin() + 4), "RIFF");
    EXPECT_EQ(le32(f, 4), f.size() - 8);
    ASSERT_EQ(std::string(f.begin() + 8, f.begin() + 12), "WAVE");
    size_t at = 12, dataAt = 0, dataSize = 0;
    uint16_t channels = 0, bits = 0, blockAlign = 0, tag = 0;
    uint32_t rate = 0, byteRate = 0;
    while (at + 8 <= f.size()) {
      std::string id(f.begin() + long(at), f.begin() + long(at) + 4);
      size_t size = le32(f, at + 4);
      ASSERT_LE(at + 8 + size, f.size()) << "chunk " << id << " runs past the end";
      if (id == "fmt ") {
        ASSERT_GE(size, 16u);
        tag = le16(f, at + 8), channels = le16(f, at + 10), rate = le32(f, at + 12);
        byteRate = le32(f, at + 16), blockAlign = le16(f, at + 20), bits = le16(f, at + 22);
      } else if (id == "data") {
        dataAt = at + 8, dataSize = size;
      }
      at += 8 + size + (size & 1);
    }
    EXPECT_EQ(tag, 1) << "PCM";
    EXPECT_EQ(bits, 16);
    ASSERT_GE(channels, 1);
    EXPECT_EQ(blockAlign, channels * 2);
    EXPECT_EQ(byteRate, rate * blockAlign);
    ASSERT_GT(dataSize, 0u);
    ASSERT_EQ(dataSize % blockAlign, 0u);
    double seconds = double(dataSize) / double(byteRate);
    EXPECT_GT(seconds, 0.1);
    EXPECT_LT(seconds, 3.0);
    std::vector<int> samples;
    for (size_t i = 0; i < dataSize; i += 2) samples.push_back(int16_t(le16(f, dataAt + i)));
    int peak = 0;
    for (int s : samples) peak = std::max(peak, std::abs(s));
    EXPECT_GT(peak, 8000) << "too quiet";
    EXPECT_LT(peak, 32767) << "clipped";
    EXPECT_LT(std::abs(samples.front()), 64) << "click at the start";
    EXPECT_LT(std::abs(samples.back()), 64) << "click at the end";
  }
}

TEST(GeneratedSounds, MusicTracksAreLongUnclippedStereoLoops) {
  const char* tracks[] = {"DATA/Sound/BGM/Tonfal/hakugin.ogg", "DATA/Sound/BGM/Emberlo/homura.ogg",
                          "DATA/Sound/BGM/Emberlo/sixth_sense.ogg",
                          "DATA/Sound/BGM/Emberlo/the_escapers_fly_into_the_sky.ogg",
                          "DATA/Sound/BGM/Tonfal/PlasticAdventure.ogg"};
  uintmax_t totalBytes = 0;
  for (const char* path : tracks) {
    SCOPED_TRACE(path);
    OggVorbis_File vf;
    ASSERT_EQ(ov_fopen(path, &vf), 0);
    totalBytes += std::filesystem::file_size(path);
    vorbis_info* info = ov_info(&vf, -1);
    EXPECT_EQ(info->rate, 44100);
    EXPECT_EQ(info->channels, 2);
    ogg_int64_t frames = ov_pcm_total(&vf, -1);
    EXPECT_GE(frames, 45 * 44100);
    std::vector<int16_t> pcm;
    char buffer[16384];
    int section = 0;
    for (long got; (got = ov_read(&vf, buffer, sizeof buffer, 0, 2, 1, &section)) > 0;) {
      const int16_t* words = reinterpret_cast<const int16_t*>(buffer);
      pcm.insert(pcm.end(), words, words + got / 2);
    }
    ov_clear(&vf);
    ASSERT_EQ(ogg_int64_t(pcm.size() / 2), frames) << "decoded length differs from the stream's length";
    int clipped = 0;
    for (int16_t s : pcm) clipped += s == 32767 || s == -32768;
    EXPECT_EQ(clipped, 0);
    // The jump from the last frame to the first must be no bigger than the
    // music's own large steps, or the loop would click.
    for (int ch = 0; ch < 2; ++ch) {
      std::vector<int> steps;
      for (size_t i = size_t(ch); i + 2 < pcm.size(); i += 2 * 5) steps.push_back(std::abs(pcm[i + 2] - pcm[i]));
      std::nth_element(steps.begin(), steps.begin() + long(steps.size() * 999 / 1000), steps.end());
      int bigStep = steps[steps.size() * 999 / 1000];
      int seam = std::abs(pcm[size_t(ch)] - pcm[pcm.size() - 2 + size_t(ch)]);
      EXPECT_LE(seam, bigStep) << "channel " << ch;
    }
  }
  EXPECT_LT(totalBytes, 8u * 1024 * 1024) << "music grew beyond a modest size";
}

}  // namespace
