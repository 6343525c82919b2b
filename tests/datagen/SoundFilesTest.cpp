// The generated sounds, read back from build/DATA: each effect a short
// 16-bit PCM RIFF/WAVE that starts and ends at silence without clipping;
// each music track an Ogg Vorbis stream at 44.1 kHz stereo, at least 45 s,
// whose end flows into its start, and quiet enough that the game's mix of it
// and two effects never clips.
// (The game's own WAV reader and effect loader get their checks with the
// sound and graphics code.)
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t le16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

// The fields of a RIFF/WAVE file that the checks need; `chunksFit` is false
// when a chunk runs past the end of the file.
struct Wave {
    bool riff = false, chunksFit = true;
    size_t fileSize = 0, riffSize = 0, dataBytes = 0;
    uint16_t tag = 0, channels = 0, bits = 0, blockAlign = 0;
    uint32_t rate = 0, byteRate = 0;
    std::vector<int> samples;  // 16-bit, all channels
};

Wave readWave(const std::string& path)
{
    std::vector<uint8_t> f = readAll(path);
    Wave w;
    w.fileSize = f.size();
    if (f.size() < 12 || std::string(f.begin(), f.begin() + 4) != "RIFF" ||
        std::string(f.begin() + 8, f.begin() + 12) != "WAVE")
        return w;
    w.riff = true;
    w.riffSize = le32(f, 4);
    for (size_t at = 12; at + 8 <= f.size();) {
        std::string id(f.begin() + long(at), f.begin() + long(at) + 4);
        size_t size = le32(f, at + 4);
        if (at + 8 + size > f.size()) {
            w.chunksFit = false;
            break;
        }
        if (id == "fmt " && size >= 16) {
            w.tag = le16(f, at + 8), w.channels = le16(f, at + 10), w.rate = le32(f, at + 12);
            w.byteRate = le32(f, at + 16), w.blockAlign = le16(f, at + 20), w.bits = le16(f, at + 22);
        } else if (id == "data") {
            w.dataBytes = size;
            for (size_t i = 0; i + 1 < size; i += 2) w.samples.push_back(int16_t(le16(f, at + 8 + i)));
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

int peakOf(const std::vector<int>& samples)
{
    int peak = 0;
    for (int s : samples) peak = std::max(peak, std::abs(s));
    return peak;
}

const char* const kEffects[] = {"alarm", "meka_mi_radar01", "ta_ta_syupon01", "gasyan", "start"};

std::string effectPath(const char* name) { return std::string("DATA/Sound/SE/") + name + ".wav"; }

TEST(GeneratedSounds, EffectsAreShortCleanSixteenBitPcmWaves)
{
    for (const char* name : kEffects) {
        std::string path = effectPath(name);
        SCOPED_TRACE(path);
        Wave w = readWave(path);
        ASSERT_TRUE(w.riff);
        EXPECT_EQ(w.riffSize, w.fileSize - 8);
        ASSERT_TRUE(w.chunksFit);
        EXPECT_EQ(w.tag, 1) << "PCM";
        EXPECT_EQ(w.bits, 16);
        ASSERT_GE(w.channels, 1);
        ASSERT_EQ(w.blockAlign, w.channels * 2);
        EXPECT_EQ(w.byteRate, w.rate * w.blockAlign);
        ASSERT_GT(w.dataBytes, 0u);
        ASSERT_EQ(w.dataBytes % w.blockAlign, 0u);
        double seconds = double(w.samples.size() / w.channels) / double(w.rate);
        EXPECT_GT(seconds, 0.1);
        EXPECT_LT(seconds, 3.0);
        int peak = peakOf(w.samples);
        EXPECT_GT(peak, 8000) << "too quiet";
        EXPECT_LT(peak, 32767) << "clipped";
        EXPECT_LT(std::abs(w.samples.front()), 64) << "click at the start";
        EXPECT_LT(std::abs(w.samples.back()), 64) << "click at the end";
    }
}

TEST(GeneratedSounds, MusicTracksAreLongStereoLoopsWithHeadroomForTwoEffects)
{
    const char* tracks[] = {"DATA/Sound/BGM/Tonfal/hakugin.ogg", "DATA/Sound/BGM/Emberlo/homura.ogg",
                            "DATA/Sound/BGM/Emberlo/sixth_sense.ogg",
                            "DATA/Sound/BGM/Emberlo/the_escapers_fly_into_the_sky.ogg",
                            "DATA/Sound/BGM/Tonfal/PlasticAdventure.ogg"};
    const double kStreamLevel = std::pow(10.0, -2.25 / 20), kCeiling = 32768 * std::pow(10.0, -1.0 / 20);
    int loudestEffect = 0;
    for (const char* name : kEffects)
        loudestEffect = std::max(loudestEffect, peakOf(readWave(effectPath(name)).samples));
    ASSERT_GT(loudestEffect, 0);
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
        // DirectSound sums and clips: the track at the round's stream level
        // (-2.25 dB) under any two effects at once must stay at or below -1 dBFS,
        // measured after decoding, which overshoots the encoded peak a little.
        int musicPeak = 0;
        for (int16_t s : pcm) musicPeak = std::max(musicPeak, std::abs(int(s)));
        EXPECT_LE(musicPeak * kStreamLevel + 2 * loudestEffect, kCeiling)
            << "music peak " << musicPeak << ", effects peak " << loudestEffect;
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
