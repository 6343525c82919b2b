// SoundEffects: synthesises the five effects under DATA/Sound/SE as 16-bit
// mono WAV files: alarm, the radar ping as the arrow stops, the whoosh of a
// clear, the clunk of the sliding board and the start jingle. Each starts
// and ends at silence.
// Depends on: Synth, Wav, Output, Loudness.
#pragma once

#include <string>

namespace datagen {

void writeSoundEffects(const std::string& root);

}  // namespace datagen
