// Tracks: the five background tracks, each composed in whole bars with its
// own tempo, key and instruments, mixed to interleaved 44.1 kHz stereo that
// loops without a seam.
// Depends on: Song, Composer, Loudness.
#pragma once

#include <vector>

namespace datagen {

std::vector<float> composeHakugin();           // silver: calm bells, A minor, 100 bpm
std::vector<float> composeHomura();            // flame: driving saw lead, E minor, 140 bpm
std::vector<float> composeSixthSense();        // uneasy pulse and plucks, F# phrygian, 105 bpm
std::vector<float> composeEscapers();          // soaring chiptune, D major, 150 bpm
std::vector<float> composePlasticAdventure();  // playful marimba, F major, 126 bpm

}  // namespace datagen
