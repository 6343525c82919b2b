// Composer: keys, chords and a melody writer for the music tracks.
// A melody is built in four-bar phrases: a motif, its answer, the motif
// again over the third bar's chord, and a cadence that comes to rest on the
// chord's root; every second phrase reuses the motif and answers anew.
// Strong beats land on chord tones, the rest move by small steps.
// Depends on: Song.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "Song.h"

namespace datagen {

using Scale = std::array<int, 7>;
extern const Scale kMajor, kMinor, kPhrygian;

struct Key {
    int root;  // MIDI note of degree 0
    Scale scale;
    int pitch(int degree) const;
};

// (start beat within the bar, length in beats)
struct Step {
    double start, length;
};
using Rhythm = std::vector<Step>;

struct MelodyPlan {
    Voice voice;
    Key key;
    const std::vector<int>* chords;  // chord root degree of every bar
    int fromBar, toBar;              // toBar exclusive; a multiple of four bars
    int lowDegree, highDegree;
    std::vector<Rhythm> rhythms;  // the last one is the cadence
    uint64_t seed;
    float velocity, pan, reverb, echo;
};

void writeMelody(Song& song, const MelodyPlan& plan);

// Plays the triad on `chordDegree` (root, third and fifth, raised by
// `degreeOffset` degrees) as one sustained block, spread across the stereo field.
void writeChord(Song& song, Voice voice, const Key& key, int chordDegree, int degreeOffset, double beat, double beats,
                float velocity, float reverb);

}  // namespace datagen
