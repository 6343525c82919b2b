// Song: loop placement with wrap-around, reverb and ping-pong echo.
#include "Song.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace datagen {

Song::Song(int bpm, int bars, uint64_t seed)
    : barCount(bars), beatFrames(size_t(kRate * 60 / bpm)), loopFrames(beatFrames * 4 * size_t(bars)), humanise(seed),
      dry(loopFrames * 2, 0.0f), reverbSend(loopFrames, 0.0f), echoSend(loopFrames, 0.0f)
{
    if ((kRate * 60) % bpm != 0) throw std::runtime_error("tempo gives a fractional beat");
}

void Song::add(const std::vector<float>& mono, double beat, float gain, float pan, float reverb, float echo)
{
    size_t start = size_t(std::llround(beat * double(beatFrames)));
    float angle = (pan + 1) * 0.785398f;
    float left = std::cos(angle) * gain, right = std::sin(angle) * gain;
    size_t at = start % loopFrames;
    for (size_t i = 0; i < mono.size(); ++i, ++at) {
        if (at == loopFrames) at = 0;
        float v = mono[i];
        dry[at * 2] += v * left;
        dry[at * 2 + 1] += v * right;
        reverbSend[at] += v * gain * reverb;
        echoSend[at] += v * gain * echo;
    }
}

void Song::note(Voice voice, double beat, double beats, int midi, float velocity, float pan, float reverb, float echo)
{
    float v = velocity * (0.92f + 0.08f * humanise.unit());
    double held = beats * double(beatFrames) / kRate;
    add(renderVoice(voice, midiToHz(midi), held, v, humanise.next()), beat, 1.0f, pan, reverb, echo);
}

void Song::hit(Drum drum, double beat, float velocity, float pan, float reverb)
{
    auto found = drums.find(drum);
    if (found == drums.end()) found = drums.emplace(drum, renderDrum(drum, uint64_t(drum) + 101)).first;
    add(found->second, beat, velocity * (0.9f + 0.1f * humanise.unit()), pan, reverb, 0);
}

namespace {

struct Comb {
    std::vector<float> line;
    size_t pos = 0;
    float store = 0;
    explicit Comb(size_t n) : line(n, 0.0f) {}
    float run(float in, float feedback, float damp)
    {
        float out = line[pos];
        store = out * (1 - damp) + store * damp;
        line[pos] = in + store * feedback;
        pos = (pos + 1) % line.size();
        return out;
    }
};

struct AllPass {
    std::vector<float> line;
    size_t pos = 0;
    explicit AllPass(size_t n) : line(n, 0.0f) {}
    float run(float in)
    {
        float delayed = line[pos];
        line[pos] = in + delayed * 0.5f;
        pos = (pos + 1) % line.size();
        return delayed - in;
    }
};

// A Schroeder reverb per channel, the right one slightly detuned for width.
struct Reverb {
    std::vector<Comb> combs;
    std::vector<AllPass> passes;
    explicit Reverb(size_t spread)
    {
        for (size_t n : {1116, 1188, 1277, 1356, 1422, 1491}) combs.emplace_back(n + spread);
        for (size_t n : {556, 441, 341}) passes.emplace_back(n + spread);
    }
    float run(float in)
    {
        float sum = 0;
        for (Comb& c : combs) sum += c.run(in, 0.80f, 0.35f);
        sum *= 1.0f / float(combs.size());
        for (AllPass& a : passes) sum = a.run(sum);
        return sum;
    }
};

}  // namespace

std::vector<float> Song::mix(double echoBeats, float echoFeedback, float reverbLevel, float peak) const
{
    std::vector<float> out = dry;
    Reverb left(0), right(23);
    size_t echoFrames = std::max<size_t>(1, size_t(std::llround(echoBeats * double(beatFrames))));
    std::vector<float> echoLeft(echoFrames, 0.0f), echoRight(echoFrames, 0.0f);
    size_t echoPos = 0;
    // The first pass only fills the effects' memory with the loop's end.
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = 0; i < loopFrames; ++i) {
            float wetLeft = left.run(reverbSend[i]), wetRight = right.run(reverbSend[i]);
            float fromLeft = echoLeft[echoPos], fromRight = echoRight[echoPos];
            echoLeft[echoPos] = echoSend[i] + fromRight * echoFeedback;
            echoRight[echoPos] = fromLeft * echoFeedback;
            echoPos = (echoPos + 1) % echoFrames;
            if (pass == 1) {
                out[i * 2] += wetLeft * reverbLevel + fromLeft * 0.6f;
                out[i * 2 + 1] += wetRight * reverbLevel + fromRight * 0.6f;
            }
        }
    float top = 0;
    for (float v : out) top = std::max(top, std::fabs(v));
    if (top > 0)
        for (float& v : out) v *= peak / top;
    return out;
}

}  // namespace datagen
