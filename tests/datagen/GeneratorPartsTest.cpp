// The generator's building blocks where a slip would spoil the data quietly:
// sound wrapping round a loop, scale degrees below the key's root, sample
// clamping, exact Ogg lengths, and colour bleeding under transparent texels.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Canvas.h"
#include "Composer.h"
#include "Ogg.h"
#include "Shapes.h"
#include "Song.h"
#include "Wav.h"

using namespace datagen;

namespace {

TEST(GeneratorParts, SoundRingingPastTheLoopEndWrapsToItsStart)
{
    Song song(100, 1, 7);  // one bar: 4 x 26460 frames
    ASSERT_EQ(song.frames(), 4u * 26460u);
    song.note(Voice::Marimba, 3.9, 0.1, 72, 1.0f, 0, 0, 0);  // rings about a second
    std::vector<float> mix = song.mix(0.5, 0, 0, 0.8f);
    ASSERT_EQ(mix.size(), song.frames() * 2);
    float head = 0, middle = 0;
    for (size_t i = 0; i < 4410; ++i) head = std::max(head, std::fabs(mix[i * 2]));
    for (size_t i = 2 * 26460; i < 2 * 26460 + 4410; ++i) middle = std::max(middle, std::fabs(mix[i * 2]));
    EXPECT_GT(head, 0.05f) << "the tail must continue at the loop's start";
    EXPECT_EQ(middle, 0.0f) << "nothing sounds where no note was placed";
}

TEST(GeneratorParts, ScaleDegreesCountAcrossOctavesInBothDirections)
{
    const Key cMajor{60, kMajor};
    EXPECT_EQ(cMajor.pitch(0), 60);
    EXPECT_EQ(cMajor.pitch(2), 64);
    EXPECT_EQ(cMajor.pitch(7), 72);
    EXPECT_EQ(cMajor.pitch(9), 76);
    EXPECT_EQ(cMajor.pitch(-1), 59);
    EXPECT_EQ(cMajor.pitch(-7), 48);
    EXPECT_EQ(cMajor.pitch(-8), 47);
    EXPECT_EQ(cMajor.pitch(-14), 36);
}

TEST(GeneratorParts, WavSamplesAreClampedNotWrapped)
{
    std::vector<uint8_t> wav = encodeWav({2.0f, -2.0f, 0.5f, 0.0f});
    ASSERT_EQ(wav.size(), 44u + 8u);
    int16_t samples[4];
    std::memcpy(samples, wav.data() + 44, sizeof samples);
    EXPECT_EQ(samples[0], 32767);
    EXPECT_EQ(samples[1], -32767);
    EXPECT_EQ(samples[2], 16384);
    EXPECT_EQ(samples[3], 0);
}

struct MemoryFile {
    const std::vector<uint8_t>* bytes;
    size_t at = 0;
};

size_t readMemory(void* out, size_t size, size_t count, void* source)
{
    auto* f = static_cast<MemoryFile*>(source);
    size_t n = std::min(size * count, f->bytes->size() - f->at);
    std::memcpy(out, f->bytes->data() + f->at, n);
    f->at += n;
    return size ? n / size : 0;
}

TEST(GeneratorParts, OggKeepsTheExactFrameCountAndSerialOfAnyLength)
{
    for (size_t frames : {size_t(1), size_t(12345), size_t(44100 * 3 + 17)}) {
        SCOPED_TRACE(frames);
        std::vector<float> stereo(frames * 2);
        for (size_t i = 0; i < frames; ++i) stereo[i * 2] = stereo[i * 2 + 1] = 0.5f * std::sin(float(i) * 0.05f);
        std::vector<uint8_t> ogg = encodeOgg(stereo, 0.3f, 0x1234, "test");
        MemoryFile file{&ogg};
        OggVorbis_File vf;
        ov_callbacks callbacks = {readMemory, nullptr, nullptr, nullptr};
        ASSERT_EQ(ov_open_callbacks(&file, &vf, nullptr, 0, callbacks), 0);
        long decoded = 0;
        char buffer[8192];
        int section = 0;
        for (long got; (got = ov_read(&vf, buffer, sizeof buffer, 0, 2, 1, &section)) > 0;) decoded += got / 4;
        EXPECT_EQ(ov_serialnumber(&vf, -1), 0x1234);
        ov_clear(&vf);
        EXPECT_EQ(size_t(decoded), frames);
    }
}

TEST(GeneratorParts, TransparentTexelsNextToArtTakeItsColourNotBlack)
{
    Canvas c(16, 16);
    c.fill(roundRect(4, 8, 4, 8, 0.01f), solid({1, 0.5f, 0, 1}), fullBox(c));
    std::vector<uint8_t> rgba = c.toRgba8();
    auto texel = [&](int x, int y) { return &rgba[size_t(y * 16 + x) * 4]; };
    EXPECT_EQ(texel(2, 8)[3], 255);
    const uint8_t* beside = texel(9, 8);
    EXPECT_EQ(beside[3], 0);
    EXPECT_GT(beside[0], 200) << "filtering across the edge must not pull in black";
    EXPECT_NEAR(beside[1], 128, 2);
    const uint8_t* far = texel(15, 8);
    EXPECT_EQ(far[3], 0);
    EXPECT_EQ(far[0], 0) << "the bleed stays near the art";
}

}  // namespace
