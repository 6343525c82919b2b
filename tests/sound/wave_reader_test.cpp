// Tests of the WAV reader: the chunk layouts it must take, the files it must
// refuse whole, and files written by sox.
#include "framework/sound/WaveFile.h"

#include "sound/sound_test_support.h"

using namespace soundtest;

namespace {

ScratchFolder scratch("wave_reader");

struct Loaded {
    bool ok = false;
    WAVEFORMATEX format{};
    Bytes data;
};

Loaded load(const std::string& path)
{
    Loaded result;
    WaveData wave{};
    result.ok = loadWave(path.c_str(), wave);
    if (result.ok) {
        result.format = wave.format;
        result.data.assign(wave.data, wave.data + wave.size);
        GlobalFree(wave.data);
    }
    return result;
}

Bytes pattern(size_t size)
{
    Bytes out(size);
    for (size_t i = 0; i < size; ++i) out[i] = static_cast<uint8_t>(i * 7 + 3);
    return out;
}

}  // namespace

TEST(WaveReader, TakesEveryChunkLayoutAndPcmShape)
{
    const Bytes data = pattern(20001);  // larger than the I/O buffer, odd: a pad byte follows
    struct Case {
        const char* name;
        std::vector<Bytes> chunks;
        uint16_t channels;
        uint32_t rate;
        uint16_t bits;
    };
    const Case cases[] = {
        {"plain", {fmtChunk(1, 1, 22050, 16), chunk("data", data)}, 1, 22050, 16},
        {"data first", {chunk("data", data), fmtChunk(1, 2, 44100, 16)}, 2, 44100, 16},
        {"fmt 18", {fmtChunk(1, 1, 8000, 8, 18), chunk("data", data)}, 1, 8000, 8},
        {"fmt 40", {fmtChunk(1, 2, 48000, 8, 40), chunk("data", data)}, 2, 48000, 8},
        {"odd and LIST chunks before",
         {chunk("junk", Bytes(3, 0xEE)), chunk("LIST", Bytes(11, 0xDD)), fmtChunk(1, 2, 11025, 16),
          chunk("fact", Bytes(5, 0xCC)), chunk("data", data)},
         2,
         11025,
         16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Loaded wave = load(writeFile(scratch.file("layout.wav"), riffWave(c.chunks)));
        ASSERT_TRUE(wave.ok);
        EXPECT_EQ(+wave.format.wFormatTag, WAVE_FORMAT_PCM);
        EXPECT_EQ(+wave.format.nChannels, c.channels);
        EXPECT_EQ(+wave.format.nSamplesPerSec, c.rate);
        EXPECT_EQ(+wave.format.wBitsPerSample, c.bits);
        EXPECT_EQ(+wave.format.nBlockAlign, c.channels * c.bits / 8);
        EXPECT_EQ(+wave.format.cbSize, 0);
        EXPECT_EQ(wave.data, data);
    }

    // An empty data chunk loads, with nothing in it.
    const Loaded empty =
        load(writeFile(scratch.file("empty.wav"), riffWave({fmtChunk(1, 1, 22050, 16), chunk("data", {})})));
    EXPECT_TRUE(empty.ok);
    EXPECT_TRUE(empty.data.empty());

    // A RIFF size larger than the file does not hide the chunks that are there.
    const Loaded generous = load(writeFile(scratch.file("generous.wav"),
                                           riffWave({fmtChunk(1, 1, 22050, 16), chunk("data", data)}, 0x7FFFFFF0)));
    EXPECT_TRUE(generous.ok);
    EXPECT_EQ(generous.data, data);
}

TEST(WaveReader, RefusesFilesItCannotPlayWhole)
{
    const Bytes data = pattern(1000);
    const Bytes good = riffWave({fmtChunk(1, 1, 22050, 16), chunk("data", data)});
    Bytes truncated = good;
    truncated.resize(good.size() - 10);
    Bytes notWave = good;
    std::copy_n("AVI ", 4, notWave.begin() + 8);
    Bytes notRiff = good;
    std::copy_n("RIFX", 4, notRiff.begin());

    struct Case {
        const char* name;
        Bytes file;
    };
    const Case cases[] = {
        {"extensible tag", riffWave({fmtChunk(0xFFFE, 2, 44100, 16, 40), chunk("data", data)})},
        {"float tag", riffWave({fmtChunk(3, 1, 44100, 32, 18), chunk("data", data)})},
        {"truncated data", truncated},
        {"data larger than the file", riffWave({fmtChunk(1, 1, 22050, 16), chunk("data", data, 0xFFFFFFF0)})},
        {"short fmt", riffWave({chunk("fmt ", Bytes(14, 1)), chunk("data", data)})},
        {"no fmt", riffWave({chunk("data", data)})},
        {"no data", riffWave({fmtChunk(1, 1, 22050, 16)})},
        {"chunk size past 2 GB",
         riffWave({chunk("junk", Bytes(4, 0), 0xFFFFFFFF), fmtChunk(1, 1, 22050, 16), chunk("data", data)})},
        {"RIFF size hides data", riffWave({fmtChunk(1, 1, 22050, 16), chunk("data", data)}, 4 + 24)},
        {"not WAVE", notWave},
        {"not RIFF", notRiff},
        {"three bytes", Bytes{'R', 'I', 'F'}},
        {"empty", Bytes{}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(load(writeFile(scratch.file("bad.wav"), c.file)).ok);
    }
    EXPECT_FALSE(load(scratch.file("missing.wav")).ok);
}

TEST(WaveReader, ReadsFilesWrittenBySox)
{
    struct Case {
        const char* options;
        bool loads;
        uint16_t channels;
        uint32_t rate;
        uint16_t bits;
    };
    const Case cases[] = {
        {"-r 11025 -n -c 1 -b 8 -e unsigned-integer", true, 1, 11025, 8},  // odd-sized data chunk
        {"-r 22050 -n -c 1 -b 16", true, 1, 22050, 16},
        {"-r 48000 -n -c 2 -b 16", true, 2, 48000, 16},
        {"-r 44100 -n -c 2 -b 24", false, 0, 0, 0},                    // written as extensible
        {"-r 44100 -n -c 1 -b 32 -e floating-point", false, 0, 0, 0},  // float, with a fact chunk
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const std::string path = scratch.file("sox.wav");
        ASSERT_TRUE(run(std::string("sox ") + c.options + " " + path + " synth 1000s sine 440"));
        const Loaded wave = load(path);
        ASSERT_EQ(wave.ok, c.loads);
        if (!c.loads) continue;
        EXPECT_EQ(+wave.format.nChannels, c.channels);
        EXPECT_EQ(+wave.format.nSamplesPerSec, c.rate);
        EXPECT_EQ(+wave.format.wBitsPerSample, c.bits);
        // sox's samples are the file's last bytes, but for a pad byte.
        const Bytes file = readFile(path);
        const size_t expected = size_t{1000} * c.channels * c.bits / 8;
        ASSERT_EQ(wave.data.size(), expected);
        const size_t start = file.size() - expected - (expected % 2);
        EXPECT_TRUE(std::equal(wave.data.begin(), wave.data.end(), file.begin() + static_cast<long>(start)));
    }
}
