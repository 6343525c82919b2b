// Loudness: the peak levels of the generated sounds. The game plays its music
// at level 154 (-2.25 dB, a gain of 0.772) under the effects, and DirectSound
// sums the buffers and clips, so the music at that level plus any two effects
// sounding at once must stay at or below -1 dBFS (0.891). Effects and music
// are scaled by one common factor, keeping the balance between them: effects
// peak at -10.5 dBFS and the music at -10.0 dBFS before encoding, a worst sum
// of 0.315 x 0.772 + 2 x 0.30 = 0.843 (-1.5 dBFS). That leaves the music room
// to come out of the Vorbis decoder up to 1.5 dB above its encoded peak; it
// overshoots by a few tenths.
// Depends on: nothing.
#pragma once

namespace datagen {

constexpr float kEffectPeak = 0.30f;
constexpr float kMusicPeak = 0.315f;

}  // namespace datagen
