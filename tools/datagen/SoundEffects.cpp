// SoundEffects: the recipes of the five effects.
#include "SoundEffects.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Loudness.h"
#include "Output.h"
#include "Synth.h"
#include "Wav.h"

namespace datagen {

namespace {

using Samples = std::vector<float>;

void addAt(Samples& out, const Samples& part, double atSeconds, float gain)
{
    size_t start = size_t(atSeconds * kRate);
    if (out.size() < start + part.size()) out.resize(start + part.size(), 0.0f);
    for (size_t i = 0; i < part.size(); ++i) out[start + i] += part[i] * gain;
}

void finish(Samples& s, float peak)
{
    float top = 0;
    for (float v : s) top = std::max(top, std::fabs(v));
    if (top > 0)
        for (float& v : s) v *= peak / top;
    fadeEnds(s, 0.003, 0.03);
}

Samples alarm()
{
    Samples out;
    for (int beep = 0; beep < 4; ++beep) {
        double hz = beep % 2 == 0 ? 988 : 740;
        Samples tone(size_t(0.16 * kRate));
        double p = 0;
        for (size_t i = 0; i < tone.size(); ++i) {
            p += hz / kRate;
            tone[i] = sine(p) + 0.3f * sine(3 * p) + 0.15f * sine(5 * p);
        }
        fadeEnds(tone, 0.004, 0.02);
        addAt(out, tone, beep * 0.2, 0.6f);
    }
    return out;
}

Samples radarPing()
{
    Samples out(size_t(1.0 * kRate));
    Rng rng(11);
    double p = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = double(i) / kRate;
        // A mechanical tick, then a ping that settles onto its pitch.
        float tick = t < 0.012 ? rng.bipolar() * float(std::exp(-t * 400)) * 0.5f : 0;
        double ping = t - 0.015;
        float tone = 0;
        if (ping > 0) {
            p += (1320 + 300 * std::exp(-ping * 60)) / kRate;
            float shimmer = 1 + 0.15f * sine(ping * 7);
            tone =
                (sine(p) + 0.2f * sine(2 * p)) * float(std::min(1.0, ping / 0.002) * std::exp(-ping * 5.5)) * shimmer;
        }
        out[i] = tick + tone;
    }
    // A faint echo, as if off a distant wall.
    Samples echo = out;
    addAt(out, echo, 0.17, 0.28f);
    return out;
}

Samples clearWhoosh()
{
    Samples out;
    // "ta ta": two bright ticks.
    for (int k = 0; k < 2; ++k) {
        Samples tick = renderVoice(Voice::Bell, 1568 + 400 * k, 0.05, 0.7f, 0);
        tick.resize(size_t(0.15 * kRate));
        fadeEnds(tick, 0, 0.05);
        addAt(out, tick, 0.075 * k, 0.5f);
    }
    // "syupon": noise and a tone rising together, ending in a pop.
    Samples rise(size_t(0.42 * kRate));
    Rng rng(21);
    double p = 0, low = 0, band = 0;
    for (size_t i = 0; i < rise.size(); ++i) {
        double t = double(i) / kRate, u = t / 0.42;
        double hz = 500 * std::pow(8.0, u);
        double f = 2 * std::sin(3.14159 * std::min(hz * 2.5, 15000.0) / kRate);
        double high = rng.bipolar() - low - 0.5 * band;  // resonant state-variable band-pass
        band += f * high;
        low += f * band;
        p += hz / kRate;
        float env = float(std::sin(3.14159 * u) * (0.4 + 0.6 * u));
        rise[i] = (0.55f * float(band) + 0.45f * sine(p)) * env;
    }
    addAt(out, rise, 0.14, 0.8f);
    Samples pop = renderVoice(Voice::Bell, 2093, 0.05, 1.0f, 0);
    pop.resize(size_t(0.4 * kRate));
    fadeEnds(pop, 0, 0.2);
    addAt(out, pop, 0.55, 0.6f);
    return out;
}

Samples boardClunk()
{
    Samples out(size_t(0.5 * kRate));
    Rng rng(31);
    double thump = 0;
    const double partials[4] = {523, 1187, 1833, 2671};
    float low = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = double(i) / kRate;
        thump += (50 + 60 * std::exp(-t * 25)) / kRate;
        float body = sine(thump) * float(std::exp(-t * 11));
        float metal = 0;
        for (int k = 0; k < 4; ++k) metal += sine(partials[k] * t) * float(std::exp(-t * (22 + 6 * k))) / float(k + 1);
        low += 0.25f * (rng.bipolar() - low);
        float rattle = low * float(std::exp(-t * 30));
        // A second, lighter impact as the blocks come to rest.
        double t2 = t - 0.07;
        float settle = t2 > 0 ? sine(partials[1] * 1.06 * t2) * float(std::exp(-t2 * 40)) * 0.3f : 0;
        out[i] = body + 0.45f * metal + 0.8f * rattle + settle;
    }
    return out;
}

Samples startJingle()
{
    Samples out;
    const int notes[4] = {72, 76, 79, 84};
    for (int k = 0; k < 4; ++k) {
        double hz = midiToHz(notes[k]);
        addAt(out, renderVoice(Voice::Bell, hz, 0.1, 0.8f, 0), 0.085 * k, 0.5f);
        addAt(out, renderVoice(Voice::Chip, hz, 0.07, 0.5f, 0), 0.085 * k, 0.35f);
    }
    for (int note : {72, 76, 79, 84, 88})
        addAt(out, renderVoice(Voice::Bell, midiToHz(note), 0.4, 0.5f, 0), 0.36, 0.3f);
    out.resize(std::min(out.size(), size_t(1.4 * kRate)));
    return out;
}

}  // namespace

void writeSoundEffects(const std::string& root)
{
    struct Effect {
        const char* path;
        Samples (*make)();
    };
    const Effect effects[] = {
        {"DATA/Sound/SE/alarm.wav", alarm},
        {"DATA/Sound/SE/meka_mi_radar01.wav", radarPing},
        {"DATA/Sound/SE/ta_ta_syupon01.wav", clearWhoosh},
        {"DATA/Sound/SE/gasyan.wav", boardClunk},
        {"DATA/Sound/SE/start.wav", startJingle},
    };
    for (const Effect& e : effects) {
        Samples s = e.make();
        finish(s, kEffectPeak);
        writeFile(root, e.path, encodeWav(s));
    }
}

}  // namespace datagen
