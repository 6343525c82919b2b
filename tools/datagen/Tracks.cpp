// Tracks: the arrangements. Every chord list holds one chord root degree per
// bar; the last bar leads back into the first, since the tracks loop.
#include "Tracks.h"

#include "Composer.h"
#include "Loudness.h"

namespace datagen {

namespace {

std::vector<int> barsOf(std::initializer_list<std::initializer_list<int>> sections)
{
    std::vector<int> bars;
    for (auto s : sections) bars.insert(bars.end(), s.begin(), s.end());
    return bars;
}

void crash(Song& s, int bar) { s.hit(Drum::Crash, bar * 4, 0.5f, 0.3f, 0.2f); }

}  // namespace

std::vector<float> composeHakugin()
{
    const Key key{57, kMinor};  // A3
    const auto chords = barsOf({{0, 5, 2, 6}, {0, 5, 2, 6}, {0, 5, 2, 6}, {3, 0, 5, 6}, {3, 0, 5, 4}});
    Song s(100, 20, 1);
    for (int bar = 0; bar < 20; ++bar) {
        int c = chords[size_t(bar)];
        writeChord(s, Voice::Pad, key, c, 7, bar * 4, 4, 0.16f, 0.5f);
        static const int kArp[8] = {0, 4, 7, 9, 11, 9, 7, 4};
        for (int i = 0; i < 8; ++i)
            s.note(Voice::Bell, bar * 4 + i * 0.5, 0.5, key.pitch(c + 7 + kArp[i]), 0.20f, i % 2 ? 0.35f : -0.35f,
                   0.35f, 0.2f);
        if (bar < 4) continue;
        s.note(Voice::SubBass, bar * 4, 1.5, key.pitch(c - 7), 0.5f, 0);
        s.note(Voice::SubBass, bar * 4 + 2.5, 1, key.pitch(c - 3), 0.4f, 0);
        s.note(Voice::SubBass, bar * 4 + 3.5, 0.4, key.pitch(c), 0.35f, 0);
        s.hit(Drum::Kick, bar * 4, 0.55f, 0);
        s.hit(Drum::Kick, bar * 4 + 2.5, 0.45f, 0);
        s.hit(Drum::Snare, bar * 4 + 1, 0.25f, 0.1f, 0.3f);
        s.hit(Drum::Snare, bar * 4 + 3, 0.25f, 0.1f, 0.3f);
        for (int i = 0; i < 16; ++i) s.hit(Drum::Shaker, bar * 4 + i * 0.25, i % 2 ? 0.12f : 0.2f, 0.4f);
    }
    crash(s, 4);
    crash(s, 12);
    writeMelody(s, {Voice::EPiano,
                    key,
                    &chords,
                    4,
                    20,
                    7,
                    16,
                    {{{0, 1.5}, {1.5, 0.5}, {2, 1}, {3, 1}},
                     {{0, 0.5}, {0.5, 0.5}, {1, 1}, {2, 2}},
                     {{0, 1}, {1, 1}, {2, 1.5}, {3.5, 0.5}},
                     {{0, 1}, {1, 3}}},
                    101,
                    0.42f,
                    -0.1f,
                    0.4f,
                    0.15f});
    return s.mix(0.75, 0.35f, 0.9f, kMusicPeak);
}

std::vector<float> composeHomura()
{
    const Key key{52, kMinor};  // E3
    const auto chords =
        barsOf({{0, 0, 5, 6}, {0, 5, 2, 6}, {0, 5, 6, 6}, {3, 5, 2, 6}, {3, 5, 6, 6}, {0, 5, 2, 6}, {0, 5, 6, 6}});
    Song s(140, 28, 2);
    static const int kBass[8] = {0, 0, 7, 0, 0, 7, 0, 4};
    for (int bar = 0; bar < 28; ++bar) {
        int c = chords[size_t(bar)];
        double b = bar * 4;
        for (int i = 0; i < 8; ++i)
            s.note(Voice::AcidBass, b + i * 0.5, 0.4, key.pitch(c - 7 + kBass[i]), 0.5f, 0, 0.05f);
        writeChord(s, Voice::Pad, key, c, 7, b, 4, 0.10f, 0.4f);
        if (bar < 4) {
            for (int i = 0; i < 4; ++i) s.hit(Drum::Kick, b + i, 0.7f, 0);
            for (int i = 0; i < 8; ++i) s.hit(Drum::HatClosed, b + i * 0.5, i % 2 ? 0.35f : 0.2f, 0.3f);
            continue;
        }
        s.hit(Drum::Kick, b, 0.8f, 0);
        s.hit(Drum::Kick, b + 1.5, 0.55f, 0);
        s.hit(Drum::Kick, b + 2, 0.75f, 0);
        s.hit(Drum::Snare, b + 1, 0.6f, 0.05f, 0.15f);
        s.hit(Drum::Snare, b + 3, 0.6f, 0.05f, 0.15f);
        for (int i = 0; i < 8; ++i) s.hit(Drum::HatClosed, b + i * 0.5, i % 2 ? 0.35f : 0.22f, 0.3f);
        if (bar % 8 == 3) s.hit(Drum::HatOpen, b + 3.5, 0.3f, -0.3f);
        if (bar >= 12 && bar < 20) {
            static const int kArp[8] = {0, 2, 4, 7, 9, 7, 4, 2};
            for (int i = 0; i < 16; ++i)
                s.note(Voice::Pluck, b + i * 0.25, 0.25, key.pitch(c + 7 + kArp[i % 8]), 0.22f, i % 2 ? 0.45f : -0.45f,
                       0.2f, 0.2f);
        }
    }
    s.hit(Drum::Snare, 27 * 4 + 3.5, 0.5f, 0);
    s.hit(Drum::Snare, 27 * 4 + 3.75, 0.6f, 0);
    crash(s, 4);
    crash(s, 12);
    crash(s, 20);
    writeMelody(s, {Voice::SawLead,
                    key,
                    &chords,
                    4,
                    28,
                    7,
                    17,
                    {{{0, 0.5}, {0.5, 0.5}, {1, 0.5}, {1.5, 1}, {2.5, 0.5}, {3, 1}},
                     {{0, 1}, {1, 0.5}, {1.5, 0.5}, {2, 1}, {3, 0.5}, {3.5, 0.5}},
                     {{0, 0.75}, {0.75, 0.75}, {1.5, 0.5}, {2, 2}},
                     {{0, 0.5}, {0.5, 0.5}, {1, 3}}},
                    202,
                    0.33f,
                    0.05f,
                    0.25f,
                    0.2f});
    return s.mix(0.75, 0.3f, 0.7f, kMusicPeak);
}

std::vector<float> composeSixthSense()
{
    const Key key{54, kPhrygian};  // F#3
    const auto chords = barsOf({{0, 0, 1, 0}, {0, 6, 1, 0}, {3, 1, 0, 0}, {3, 1, 6, 0}, {0, 1, 0, 6}, {3, 1, 0, 6}});
    Song s(105, 24, 3);
    for (int bar = 0; bar < 24; ++bar) {
        int c = chords[size_t(bar)];
        double b = bar * 4;
        static const float kPulse[4] = {1.0f, 0.45f, 0.7f, 0.45f};
        for (int i = 0; i < 16; ++i)
            s.note(Voice::SubBass, b + i * 0.25, 0.18, key.pitch(c - 7), 0.42f * kPulse[i % 4], 0, 0);
        writeChord(s, Voice::Pad, key, c, 7, b, 4, 0.15f, 0.7f);
        if (bar % 2 == 0) s.note(Voice::Bell, b + 0.5, 1, key.pitch(c + 18), 0.16f, bar % 4 ? 0.6f : -0.6f, 0.6f, 0.4f);
        if (bar < 4) continue;
        s.hit(Drum::Kick, b, 0.7f, 0);
        s.hit(Drum::Kick, b + 1.75, 0.45f, 0);
        s.hit(Drum::Kick, b + 2.5, 0.6f, 0);
        s.hit(Drum::Clap, b + 1, 0.45f, 0.1f, 0.35f);
        s.hit(Drum::Clap, b + 3, 0.45f, 0.1f, 0.35f);
        for (int i = 0; i < 4; ++i) s.hit(Drum::HatClosed, b + i + 0.5, 0.3f, -0.35f);
        for (int i = 0; i < 16; ++i) s.hit(Drum::Shaker, b + i * 0.25, 0.1f, 0.45f);
    }
    crash(s, 4);
    crash(s, 16);
    writeMelody(s, {Voice::Pluck,
                    key,
                    &chords,
                    4,
                    24,
                    7,
                    15,
                    {{{0, 0.75}, {0.75, 0.75}, {1.5, 1}, {3, 0.5}},
                     {{0.5, 0.5}, {1, 1}, {2, 0.75}, {2.75, 1.25}},
                     {{0, 0.5}, {0.5, 0.25}, {0.75, 0.75}, {2, 1}, {3, 1}},
                     {{0, 2}, {2, 2}}},
                    303,
                    0.5f,
                    0.15f,
                    0.3f,
                    0.45f});
    return s.mix(0.75, 0.45f, 1.0f, kMusicPeak);
}

std::vector<float> composeEscapers()
{
    const Key key{50, kMajor};  // D3
    const auto chords = barsOf({{0, 4, 5, 3},
                                {0, 4, 3, 4},
                                {0, 4, 5, 3},
                                {0, 4, 3, 4},
                                {3, 4, 2, 5},
                                {1, 4, 0, 0},
                                {0, 4, 5, 3},
                                {3, 4, 0, 4}});
    Song s(150, 32, 4);
    for (int bar = 0; bar < 32; ++bar) {
        int c = chords[size_t(bar)];
        double b = bar * 4;
        static const int kArp[4] = {0, 2, 4, 7};
        for (int i = 0; i < 16; ++i)
            s.note(Voice::Chip, b + i * 0.25, 0.2, key.pitch(c + 14 + kArp[i % 4]), 0.09f, i % 2 ? 0.5f : -0.5f, 0.15f,
                   0.1f);
        for (int i = 0; i < 8; ++i)
            s.note(Voice::ChipBass, b + i * 0.5, 0.4, key.pitch(c - 7 + (i % 2) * 7), 0.55f, 0, 0);
        writeChord(s, Voice::Pad, key, c, 7, b, 4, 0.08f, 0.4f);
        s.hit(Drum::Kick, b, 0.7f, 0);
        s.hit(Drum::Kick, b + 2, 0.6f, 0);
        if (bar % 2) s.hit(Drum::Kick, b + 2.5, 0.5f, 0);
        if (bar < 4) continue;
        s.hit(Drum::ChipNoise, b + 1, 0.8f, 0.1f, 0.1f);
        s.hit(Drum::ChipNoise, b + 3, 0.8f, 0.1f, 0.1f);
        for (int i = 0; i < 8; ++i) s.hit(Drum::HatClosed, b + i * 0.5, i % 2 ? 0.25f : 0.15f, -0.3f);
    }
    crash(s, 8);
    crash(s, 16);
    crash(s, 24);
    writeMelody(s, {Voice::Chip,
                    key,
                    &chords,
                    8,
                    32,
                    14,
                    23,
                    {{{0, 0.5}, {0.5, 0.5}, {1, 1}, {2, 0.5}, {2.5, 0.5}, {3, 1}},
                     {{0, 1.5}, {1.5, 0.5}, {2, 0.5}, {2.5, 0.5}, {3, 0.5}, {3.5, 0.5}},
                     {{0, 0.5}, {0.5, 1}, {1.5, 0.5}, {2, 2}},
                     {{0, 1}, {1, 1}, {2, 2}}},
                    404,
                    0.4f,
                    0.0f,
                    0.2f,
                    0.15f});
    return s.mix(0.5, 0.3f, 0.6f, kMusicPeak);
}

std::vector<float> composePlasticAdventure()
{
    const Key key{53, kMajor};  // F3
    const auto chords =
        barsOf({{0, 5, 1, 4}, {0, 5, 1, 4}, {3, 4, 2, 5}, {1, 4, 0, 5}, {1, 4, 0, 0}, {3, 4, 2, 5}, {1, 4, 0, 4}});
    Song s(126, 28, 5);
    for (int bar = 0; bar < 28; ++bar) {
        int c = chords[size_t(bar)];
        double b = bar * 4;
        static const int kWalk[4] = {0, 4, 7, 4};
        for (int i = 0; i < 4; ++i) s.note(Voice::Bass, b + i, 0.4, key.pitch(c - 7 + kWalk[i]), 0.5f, 0, 0.05f);
        for (int i = 0; i < 4; ++i) writeChord(s, Voice::Pizzicato, key, c, 7, b + i + 0.5, 0.3, 0.22f, 0.2f);
        s.hit(Drum::Kick, b, 0.6f, 0);
        s.hit(Drum::Kick, b + 2, 0.55f, 0);
        if (bar < 4) continue;
        s.hit(Drum::Clap, b + 1, 0.3f, -0.1f, 0.2f);
        s.hit(Drum::Clap, b + 3, 0.3f, -0.1f, 0.2f);
        static const double kWood[5] = {0.5, 1.25, 2.5, 3.0, 3.75};
        for (double w : kWood) s.hit(Drum::Wood, b + w, 0.28f, 0.5f);
        for (int i = 0; i < 8; ++i) s.hit(Drum::Shaker, b + i * 0.5, 0.12f, -0.45f);
        if (bar >= 12 && bar < 20 && bar % 2 == 0)
            s.note(Voice::Bell, b + 2, 2, key.pitch(c + 16), 0.2f, 0.5f, 0.4f, 0.3f);
    }
    crash(s, 4);
    crash(s, 20);
    writeMelody(s, {Voice::Marimba,
                    key,
                    &chords,
                    4,
                    28,
                    7,
                    16,
                    {{{0, 0.5}, {0.5, 0.5}, {1.5, 0.5}, {2, 1}, {3, 0.5}, {3.5, 0.5}},
                     {{0, 0.75}, {0.75, 0.75}, {1.5, 0.5}, {2, 0.5}, {2.5, 1.5}},
                     {{0, 0.5}, {1, 0.5}, {1.5, 0.5}, {2, 1}, {3, 1}},
                     {{0, 0.5}, {0.5, 0.5}, {1, 1}, {2, 2}}},
                    505,
                    0.55f,
                    -0.15f,
                    0.2f,
                    0.1f});
    return s.mix(0.5, 0.25f, 0.6f, kMusicPeak);
}

}  // namespace datagen
