// AudioRecorder.h — the mixed audio of a run, rendered from the layer's
// virtual audio device in step with the virtual clock and written to a WAV
// file: by the time the clock reads t ms, the file holds t × 44.1 frames, so
// a sound the game starts at t begins at that sample.
// Limits: the virtual device must be the open one (test mode). Depends on:
// platform/testing (renderAudio), WavWriter.
#pragma once

#include "WavWriter.h"

#include <cstdint>
#include <string>

namespace replay {

class AudioRecorder {
public:
    AudioRecorder();
    bool open(const std::string& path);
    // Renders every frame from where the file ends up to the time `clockMs`.
    void catchUp(uint32_t clockMs);
    bool finish();

private:
    wav::WavWriter wav_;
    uint64_t framesWritten_ = 0;
};

}  // namespace replay
