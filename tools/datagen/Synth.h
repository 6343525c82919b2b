// Synth: the instruments of the sound effects and the music, rendered as
// mono voices at 44.1 kHz. Everything random draws from a seeded generator,
// so a voice with the same arguments is the same samples on every run.
// Limits: no voice exceeds a few seconds; voices are built whole, not streamed.
// Depends on: the standard library.
#pragma once

#include <cstdint>
#include <vector>

namespace datagen {

constexpr int kRate = 44100;

// A small deterministic generator (SplitMix64): the same on every platform.
class Rng {
public:
    explicit Rng(uint64_t seed) : state(seed) {}
    uint64_t next();
    float unit();      // 0 .. 1
    float bipolar();   // -1 .. 1
    int below(int n);  // 0 .. n - 1

private:
    uint64_t state;
};

float sine(double turns);  // sin(2 pi turns) from a table
double midiToHz(double note);

enum class Voice { Bell, EPiano, SawLead, Chip, Pluck, Pad, Bass, AcidBass, SubBass, Marimba, ChipBass, Pizzicato };
enum class Drum { Kick, Snare, Clap, HatClosed, HatOpen, Shaker, Wood, Crash, ChipNoise };

// A note of `held` seconds, followed by the voice's own release.
std::vector<float> renderVoice(Voice voice, double hz, double held, float velocity, uint64_t seed);
std::vector<float> renderDrum(Drum drum, uint64_t seed);

// Shapes the ends of a sound so that it starts and stops at silence.
void fadeEnds(std::vector<float>& samples, double fadeInSeconds, double fadeOutSeconds);

}  // namespace datagen
