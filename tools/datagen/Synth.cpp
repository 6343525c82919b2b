// Synth: oscillators, filters, envelopes, and the instrument and drum recipes.
#include "Synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace datagen {

namespace {

constexpr double kPi = std::numbers::pi;

const std::array<float, 4097>& sineTable()
{
    static const std::array<float, 4097> table = [] {
        std::array<float, 4097> t{};
        for (size_t i = 0; i < t.size(); ++i) t[i] = float(std::sin(2 * kPi * double(i) / 4096.0));
        return t;
    }();
    return table;
}

double polyBlep(double t, double dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1;
    }
    if (t > 1 - dt) {
        t = (t - 1) / dt;
        return t * t + t + t + 1;
    }
    return 0;
}

struct Saw {
    double phase = 0;
    float next(double hz)
    {
        double dt = hz / kRate;
        float v = float(2 * phase - 1 - polyBlep(phase, dt));
        phase += dt;
        if (phase >= 1) phase -= 1;
        return v;
    }
};

struct Pulse {
    double phase = 0;
    float next(double hz, double width)
    {
        double dt = hz / kRate;
        double v = (phase < width ? 1 : -1) + polyBlep(phase, dt);
        double shifted = phase - width;
        if (shifted < 0) shifted += 1;
        v -= polyBlep(shifted, dt);
        phase += dt;
        if (phase >= 1) phase -= 1;
        return float(v);
    }
};

// Topology-preserving state-variable low-pass filter.
struct LowPass {
    double ic1 = 0, ic2 = 0, g = 0, k = 1, a1 = 0, a2 = 0, a3 = 0;
    void tune(double hz, double resonance)
    {
        g = std::tan(kPi * std::clamp(hz, 20.0, kRate * 0.45) / kRate);
        k = 1.0 / resonance;
        a1 = 1 / (1 + g * (g + k));
        a2 = g * a1;
        a3 = g * a2;
    }
    float next(float x)
    {
        double v3 = x - ic2, v1 = a1 * ic1 + a2 * v3, v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2 * v1 - ic1;
        ic2 = 2 * v2 - ic2;
        return float(v2);
    }
};

struct OnePole {
    float y = 0, a;
    explicit OnePole(double hz) : a(float(1 - std::exp(-2 * kPi * hz / kRate))) {}
    float next(float x) { return y += a * (x - y); }
};

// exp(-rate * t), stepped one sample at a time.
struct Decay {
    double value = 1, factor;
    explicit Decay(double rate) : factor(std::exp(-rate / kRate)) {}
    float next()
    {
        float v = float(value);
        value *= factor;
        return v;
    }
};

// Attack, decay toward sustain while held, then a straight release from
// wherever the level stands.
struct Adsr {
    size_t i = 0, heldFrames, attackFrames, releaseFrames;
    double sustain, fall = 1, fallFactor, last = 0;
    Adsr(double held, double attack, double decay, double sustainLevel, double release)
        : heldFrames(size_t(held * kRate)), attackFrames(std::max<size_t>(1, size_t(attack * kRate))),
          releaseFrames(std::max<size_t>(1, size_t(release * kRate))), sustain(sustainLevel),
          fallFactor(std::exp(-1.0 / (decay * kRate)))
    {
    }
    float next()
    {
        double level;
        if (i < heldFrames) {
            if (i < attackFrames) {
                level = double(i) / double(attackFrames);
            } else {
                level = sustain + (1 - sustain) * fall;
                fall *= fallFactor;
            }
            last = level;
        } else {
            level = last * std::max(0.0, 1 - double(i - heldFrames) / double(releaseFrames));
        }
        ++i;
        return float(level);
    }
};

size_t framesFor(double seconds) { return size_t(std::ceil(seconds * kRate)); }

}  // namespace

uint64_t Rng::next()
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
float Rng::unit() { return float(next() >> 40) / float(1 << 24); }
float Rng::bipolar() { return unit() * 2 - 1; }
int Rng::below(int n) { return int(next() % uint64_t(n)); }

float sine(double turns)
{
    double f = (turns - std::floor(turns)) * 4096.0;
    size_t i = size_t(f);
    float frac = float(f - double(i));
    const auto& t = sineTable();
    return t[i] + (t[i + 1] - t[i]) * frac;
}

double midiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

void fadeEnds(std::vector<float>& s, double fadeIn, double fadeOut)
{
    size_t in = std::min(s.size(), framesFor(fadeIn)), out = std::min(s.size(), framesFor(fadeOut));
    for (size_t i = 0; i < in; ++i) s[i] *= float(i) / float(in);
    for (size_t i = 0; i < out; ++i) s[s.size() - 1 - i] *= float(i) / float(out);
}

// Plucked string: a burst of filtered noise circulating in a delay line.
static std::vector<float> pluck(double hz, double held, float velocity, uint64_t seed, float damping, float bright)
{
    std::vector<float> out(framesFor(std::min(held + 0.5, 2.5)));
    size_t period = std::max<size_t>(2, size_t(std::lround(kRate / hz)));
    std::vector<float> line(period);
    Rng rng(seed);
    OnePole tone(bright);
    for (auto& v : line) v = tone.next(rng.bipolar());
    size_t pos = 0;
    float last = 0;
    Adsr env(held, 0.001, 10, 1, 0.4);
    for (size_t i = 0; i < out.size(); ++i) {
        float v = line[pos];
        float next = damping * 0.5f * (v + last);
        last = v;
        line[pos] = next;
        pos = (pos + 1) % period;
        out[i] = v * velocity * env.next();
    }
    return out;
}

namespace {

double secondsAt(size_t i) { return double(i) / kRate; }

// Bell: two-operator FM with an inharmonic ratio.
std::vector<float> bell(double hz, double held, float velocity)
{
    std::vector<float> out(framesFor(std::min(held + 1.6, 3.0)));
    double cp = 0, mp = 0;
    Decay index(5), ring(2.4);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = secondsAt(i);
        float mod = sine(mp) * 1.8f * index.next();
        float env = float(std::min(1.0, t / 0.003)) * ring.next();
        out[i] = sine(cp + mod / (2 * kPi)) * env * velocity;
        cp += hz / kRate;
        mp += hz * 3.5 / kRate;
    }
    return out;
}

// Electric piano: a lightly modulated body and a fast-fading tine.
std::vector<float> electricPiano(double hz, double held, float velocity)
{
    std::vector<float> out(framesFor(held + 0.35));
    double cp = 0, mp = 0, tp = 0;
    Decay bodyIndex(3), tineLevel(28), ring(1.1);
    Adsr gate(held, 0.002, 10, 1, 0.3);
    for (size_t i = 0; i < out.size(); ++i) {
        float body = sine(cp + 0.18f * bodyIndex.next() * sine(mp));
        float tine = sine(tp) * 0.25f * tineLevel.next();
        float env = ring.next() * gate.next();
        out[i] = (body + tine) * env * velocity;
        cp += hz / kRate;
        mp += hz / kRate;
        tp += hz * 7 / kRate;
    }
    return out;
}

// Saw lead: two detuned saws and a sub pulse with delayed vibrato, through a
// closing low-pass.
std::vector<float> sawLead(double hz, double held, float velocity)
{
    std::vector<float> out(framesFor(held + 0.2));
    Saw a, b;
    Pulse sub;
    LowPass lp;
    Adsr env(held, 0.01, 0.25, 0.75, 0.18);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = secondsAt(i);
        double vib = t > 0.18 ? 1 + 0.006 * sine(t * 5.5) * std::min(1.0, (t - 0.18) * 4) : 1;
        if (i % 16 == 0) lp.tune(hz * (2.5 + 6 * std::exp(-t * 5)), 0.9);
        float raw =
            0.5f * (a.next(hz * vib * 1.004) + b.next(hz * vib * 0.996)) + 0.25f * sub.next(hz * vib * 0.5, 0.5);
        out[i] = lp.next(raw) * env.next() * velocity;
    }
    return out;
}

// Chip: a quarter-width pulse with delayed vibrato.
std::vector<float> chip(double hz, double held, float velocity)
{
    std::vector<float> out(framesFor(held + 0.08));
    Pulse p;
    Adsr env(held, 0.003, 0.12, 0.6, 0.06);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = secondsAt(i);
        double vib = t > 0.15 ? 1 + 0.008 * sine(t * 6) : 1;
        out[i] = 0.6f * p.next(hz * vib, 0.25) * env.next() * velocity;
    }
    return out;
}

// Pad: four detuned saws through a slowly swept low-pass.
std::vector<float> pad(double hz, double held, float velocity)
{
    std::vector<float> out(framesFor(held + 0.9));
    Saw s[4];
    LowPass lp;
    Adsr env(held, 0.4, 0.6, 0.8, 0.8);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = secondsAt(i);
        if (i % 32 == 0) lp.tune(1400 + 500 * sine(t * 0.2), 0.7);
        float raw =
            0.3f * (s[0].next(hz * 0.994) + s[1].next(hz) + s[2].next(hz * 1.006)) + 0.15f * s[3].next(hz * 2.003);
        out[i] = lp.next(raw) * env.next() * velocity;
    }
    return out;
}

// Bass: a filtered saw over a sine; the acid bass's filter is resonant and
// sweeps down from high.
std::vector<float> bass(double hz, double held, float velocity, bool acid)
{
    std::vector<float> out(framesFor(held + 0.08));
    Saw s;
    LowPass lp;
    double sp = 0;
    Adsr env(held, 0.004, 0.2, 0.7, 0.07);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = secondsAt(i);
        if (i % 16 == 0)
            lp.tune(acid ? 250 + 2600 * std::exp(-t * 14) : hz * 3 + 500 * std::exp(-t * 10), acid ? 2.8 : 0.8);
        float raw = lp.next(s.next(hz)) + 0.45f * sine(sp);
        sp += hz / kRate;
        out[i] = raw * env.next() * velocity;
    }
    return out;
}

// Sub bass: a sine with a little of its octave.
std::vector<float> subBass(double hz, double held, float velocity)
{
    std::vector<float> out(framesFor(held + 0.06));
    double p = 0;
    Adsr env(held, 0.006, 0.3, 0.8, 0.05);
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = (sine(p) + 0.2f * sine(2 * p)) * env.next() * velocity;
        p += hz / kRate;
    }
    return out;
}

// Marimba: three partials, the higher ones dying faster; it rings the same
// however long the note is held.
std::vector<float> marimba(double hz, float velocity)
{
    std::vector<float> out(framesFor(1.1));
    double p = 0;
    Decay low(5), mid(18), high(45);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = secondsAt(i);
        float v = sine(p) * low.next() + 0.35f * sine(p * 4) * mid.next() + 0.12f * sine(p * 9.9) * high.next();
        out[i] = v * float(std::min(1.0, t / 0.001)) * velocity;
        p += hz / kRate;
    }
    return out;
}

// Chip bass: a plain triangle.
std::vector<float> chipBass(double hz, double held, float velocity)
{
    std::vector<float> out(framesFor(held + 0.03));
    double p = 0;
    Adsr env(held, 0.002, 1, 1, 0.03);
    for (size_t i = 0; i < out.size(); ++i) {
        double u = p - std::floor(p);
        float tri = float(4 * std::fabs(u - 0.5) - 1);
        out[i] = tri * env.next() * velocity;
        p += hz / kRate;
    }
    return out;
}

}  // namespace

std::vector<float> renderVoice(Voice voice, double hz, double held, float velocity, uint64_t seed)
{
    switch (voice) {
    case Voice::Bell: return bell(hz, held, velocity);
    case Voice::EPiano: return electricPiano(hz, held, velocity);
    case Voice::SawLead: return sawLead(hz, held, velocity);
    case Voice::Chip: return chip(hz, held, velocity);
    case Voice::Pluck: return pluck(hz, held, velocity, seed, 0.996f, 4000);
    case Voice::Pizzicato: return pluck(hz, std::min(held, 0.25), velocity, seed, 0.985f, 2500);
    case Voice::Pad: return pad(hz, held, velocity);
    case Voice::Bass: return bass(hz, held, velocity, false);
    case Voice::AcidBass: return bass(hz, held, velocity, true);
    case Voice::SubBass: return subBass(hz, held, velocity);
    case Voice::Marimba: return marimba(hz, velocity);
    case Voice::ChipBass: return chipBass(hz, held, velocity);
    }
    return {};
}

namespace {

// Kick: a sine swept down from high, with a click of noise at the start.
std::vector<float> kick(Rng& rng)
{
    std::vector<float> out(framesFor(0.45));
    double p = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = secondsAt(i);
        p += (48 + 130 * std::exp(-t * 32)) / kRate;
        float click = t < 0.004 ? rng.bipolar() * float(1 - t / 0.004) * 0.4f : 0;
        out[i] = sine(p) * float(std::exp(-t * 7.5)) + click;
    }
    return out;
}

// Snare: a short falling tone under high-passed noise.
std::vector<float> snare(Rng& rng)
{
    std::vector<float> out(framesFor(0.3));
    double p = 0;
    OnePole low(1200);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = secondsAt(i);
        float n = rng.bipolar();
        float hp = n - low.next(n);
        out[i] = 0.5f * sine(p) * float(std::exp(-t * 22)) + 0.7f * hp * float(std::exp(-t * 15));
        p += (185 + 40 * std::exp(-t * 40)) / kRate;
    }
    return out;
}

// Clap: band-passed noise in three quick bursts, then a tail.
std::vector<float> clap(Rng& rng)
{
    std::vector<float> out(framesFor(0.3));
    LowPass band;
    band.tune(2200, 1.5);
    OnePole low(700);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = secondsAt(i);
        double burst = t < 0.03 ? std::exp(-std::fmod(t, 0.01) * 250) : std::exp(-(t - 0.03) * 14);
        float n = band.next(rng.bipolar());
        out[i] = (n - low.next(n)) * float(burst) * 1.6f;
    }
    return out;
}

// Closed and open hats and the shaker: high-passed noise, each with its own
// length and envelope.
std::vector<float> hat(Drum drum, Rng& rng)
{
    double length = drum == Drum::HatOpen ? 0.4 : drum == Drum::Shaker ? 0.12 : 0.07;
    std::vector<float> out(framesFor(length));
    OnePole low(drum == Drum::Shaker ? 5000 : 7000);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = secondsAt(i);
        float n = rng.bipolar();
        float hp = n - low.next(n);
        double env = drum == Drum::HatOpen  ? std::exp(-t * 9)
                     : drum == Drum::Shaker ? std::min(1.0, t / 0.02) * std::exp(-t * 30)
                                            : std::exp(-t * 60);
        out[i] = hp * float(env) * 0.8f;
    }
    return out;
}

// Wood block: two short sines.
std::vector<float> wood()
{
    std::vector<float> out(framesFor(0.09));
    for (size_t i = 0; i < out.size(); ++i) {
        double t = secondsAt(i);
        out[i] = (sine(t * 1750) + 0.5f * sine(t * 2900)) * float(std::exp(-t * 55)) * 0.7f;
    }
    return out;
}

// Crash: long high-passed noise.
std::vector<float> crash(Rng& rng)
{
    std::vector<float> out(framesFor(1.8));
    OnePole low(4000);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = secondsAt(i);
        float n = rng.bipolar();
        out[i] = (n - low.next(n)) * float(std::exp(-t * 2.6) * std::min(1.0, t / 0.002)) * 0.6f;
    }
    return out;
}

// Chip noise: random full-scale steps held for five samples each.
std::vector<float> chipNoise(Rng& rng)
{
    std::vector<float> out(framesFor(0.12));
    float held = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        if (i % 5 == 0) held = rng.unit() < 0.5f ? -1.0f : 1.0f;
        out[i] = held * float(std::exp(-secondsAt(i) * 30)) * 0.5f;
    }
    return out;
}

std::vector<float> drumSamples(Drum drum, Rng& rng)
{
    switch (drum) {
    case Drum::Kick: return kick(rng);
    case Drum::Snare: return snare(rng);
    case Drum::Clap: return clap(rng);
    case Drum::HatClosed:
    case Drum::HatOpen:
    case Drum::Shaker: return hat(drum, rng);
    case Drum::Wood: return wood();
    case Drum::Crash: return crash(rng);
    case Drum::ChipNoise: return chipNoise(rng);
    }
    return {};
}

}  // namespace

std::vector<float> renderDrum(Drum drum, uint64_t seed)
{
    Rng rng(seed);
    std::vector<float> out = drumSamples(drum, rng);
    fadeEnds(out, 0, 0.005);
    return out;
}

}  // namespace datagen
