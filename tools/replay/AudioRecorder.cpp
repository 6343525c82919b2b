// AudioRecorder.cpp — rendering in slices of a tenth of a second, so that a
// long stall does not ask the mixer for minutes of audio in one piece.
#include "AudioRecorder.h"

#include "platform/testing.h"

#include <algorithm>

namespace replay {

namespace {

constexpr uint16_t Channels = 2;
constexpr uint64_t SliceFrames = testmode::AudioRate / 10;

}  // namespace

AudioRecorder::AudioRecorder() : wav_(testmode::AudioRate, Channels) {}

bool AudioRecorder::open(const std::string& path) { return wav_.open(path); }

void AudioRecorder::catchUp(uint32_t clockMs)
{
    const uint64_t target = static_cast<uint64_t>(clockMs) * testmode::AudioRate / 1000;
    while (framesWritten_ < target) {
        const uint64_t frames = std::min(SliceFrames, target - framesWritten_);
        const std::vector<int16_t> samples = testmode::renderAudio(static_cast<uint32_t>(frames));
        wav_.append(samples.data(), samples.size());
        framesWritten_ += frames;
    }
}

bool AudioRecorder::finish() { return wav_.finish(); }

}  // namespace replay
