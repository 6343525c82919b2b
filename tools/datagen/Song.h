// Song: a loop of whole bars that notes and drum hits are placed into by
// beat. Sound that rings past the loop's end wraps around to its start, and
// the reverb and echo run over the loop twice, keeping the second pass, so
// the last sample flows into the first: the track loops without a seam.
// Limits: 4/4 time; the tempo must give a whole number of samples per beat.
// Depends on: Synth.
#pragma once

#include <cstdint>
#include <cstddef>
#include <map>
#include <vector>

#include "Synth.h"

namespace datagen {

class Song {
public:
    Song(int bpm, int bars, uint64_t seed);

    size_t frames() const { return loopFrames; }
    int bars() const { return barCount; }

    // A note starting at `beat` (from 0), held for `beats`; `pan` -1 left .. 1 right.
    void note(Voice voice, double beat, double beats, int midi, float velocity, float pan, float reverb = 0.2f,
              float echo = 0.0f);
    void hit(Drum drum, double beat, float velocity, float pan, float reverb = 0.05f);

    // Interleaved stereo, peak normalised to `peak` (below full scale).
    std::vector<float> mix(double echoBeats, float echoFeedback, float reverbLevel, float peak) const;

private:
    void add(const std::vector<float>& mono, double beat, float gain, float pan, float reverb, float echo);

    int barCount;
    size_t beatFrames;
    size_t loopFrames;
    Rng humanise;
    std::vector<float> dry;  // interleaved stereo
    std::vector<float> reverbSend;
    std::vector<float> echoSend;
    std::map<Drum, std::vector<float>> drums;
};

}  // namespace datagen
