// wav_test.cpp — the WAV files the generator, the replay tool and the tests
// write: the streamed file's exact bytes, and the same bytes made whole.
#include "RiffWave.h"
#include "WavWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

TEST(WavWriter, WritesACompleteHeaderAfterTheSamples)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "wav_writer_test.wav";
    wav::WavWriter wav(44100, 2);
    ASSERT_TRUE(wav.open(path.string()));
    const int16_t first[] = {1, -1, 0x1234, -32768};
    const int16_t second[] = {32767, 0};
    wav.append(first, 4);
    wav.append(second, 2);
    ASSERT_TRUE(wav.finish());

    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    const std::vector<unsigned char> expected = {
        'R', 'I', 'F', 'F', 48, 0,    0,    0, 'W',  'A',  'V',  'E',  'f',  'm',  't',  ' ',  16, 0,   0,
        0,   1,   0,   2,   0,  0x44, 0xAC, 0, 0,    0x10, 0xB1, 2,    0,    4,    0,    16,   0,  'd', 'a',
        't', 'a', 12,  0,   0,  0,    1,    0, 0xFF, 0xFF, 0x34, 0x12, 0x00, 0x80, 0xFF, 0x7F, 0,  0};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(wav::pcm16(44100, 2, {1, -1, 0x1234, -32768, 32767, 0}), expected);
}

TEST(WavWriter, ReportsAFileThatCannotBeCreated)
{
    wav::WavWriter wav(44100, 2);
    EXPECT_FALSE(wav.open("/nonexistent-folder/replay.wav"));
    EXPECT_FALSE(wav.finish());
}
