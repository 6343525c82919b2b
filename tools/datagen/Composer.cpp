// Composer: scale arithmetic and the phrase-built melody writer.
#include "Composer.h"

#include <algorithm>
#include <cstdlib>

namespace datagen {

const Scale kMajor = {0, 2, 4, 5, 7, 9, 11};
const Scale kMinor = {0, 2, 3, 5, 7, 8, 10};
const Scale kPhrygian = {0, 1, 3, 5, 7, 8, 10};

int Key::pitch(int degree) const
{
    int octave = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
    return root + 12 * octave + scale[size_t(degree - 7 * octave)];
}

static int modDegree(int d) { return ((d % 7) + 7) % 7; }

static bool isChordTone(int degree, int chordRoot)
{
    int rel = modDegree(degree - chordRoot);
    return rel == 0 || rel == 2 || rel == 4;
}

static int nearestChordTone(int degree, int chordRoot, int preferDirection)
{
    for (int d = 0; d < 4; ++d) {
        int first = degree + d * preferDirection, second = degree - d * preferDirection;
        if (isChordTone(first, chordRoot)) return first;
        if (isChordTone(second, chordRoot)) return second;
    }
    return degree;
}

static int keepInRange(int degree, int low, int high)
{
    while (degree < low) degree += 7;
    while (degree > high) degree -= 7;
    return degree;
}

namespace {

// A bar's pitches as offsets from its chord root, so it can be replayed
// over another chord.
using Contour = std::vector<int>;

struct Writer {
    Song& song;
    const MelodyPlan& plan;
    Rng rng;
    int current;

    Contour freshBar(const Rhythm& rhythm, int chordRoot, bool cadence)
    {
        Contour contour;
        for (size_t i = 0; i < rhythm.size(); ++i) {
            static const int kSteps[] = {-2, -1, -1, 1, 1, 2, 3, -3, 0, 2};
            int next = current + kSteps[rng.below(10)];
            bool strong = rhythm[i].start == double(int(rhythm[i].start));
            if (cadence && i + 1 == rhythm.size()) {
                next = nearestChordTone(next, chordRoot, -1);
                while (modDegree(next - chordRoot) != 0) --next;  // rest on the root
            } else if (strong) {
                next = nearestChordTone(next, chordRoot, rng.below(2) ? 1 : -1);
            }
            next = keepInRange(next, plan.lowDegree, plan.highDegree);
            contour.push_back(next - chordRoot);
            current = next;
        }
        return contour;
    }

    void play(int bar, const Rhythm& rhythm, const Contour& contour, int chordRoot)
    {
        for (size_t i = 0; i < rhythm.size() && i < contour.size(); ++i) {
            int degree = keepInRange(chordRoot + contour[i], plan.lowDegree, plan.highDegree);
            current = degree;
            double beat = bar * 4 + rhythm[i].start;
            float accent = rhythm[i].start == 0 ? 1.0f : 0.85f;
            song.note(plan.voice, beat, rhythm[i].length * 0.95, plan.key.pitch(degree), plan.velocity * accent,
                      plan.pan, plan.reverb, plan.echo);
        }
    }
};

}  // namespace

void writeMelody(Song& song, const MelodyPlan& plan)
{
    Writer w{song, plan, Rng(plan.seed), (plan.lowDegree + plan.highDegree) / 2};
    const auto& chords = *plan.chords;
    const size_t cadence = plan.rhythms.size() - 1;
    Rhythm motifRhythm, answerRhythm;
    Contour motif;
    for (int phrase = 0; plan.fromBar + phrase * 4 < plan.toBar; ++phrase) {
        int bar = plan.fromBar + phrase * 4;
        bool repeat = phrase % 2 == 1;
        if (!repeat) {
            motifRhythm = plan.rhythms[size_t(w.rng.below(int(cadence)))];
            answerRhythm = plan.rhythms[size_t(w.rng.below(int(cadence)))];
            motif = w.freshBar(motifRhythm, chords[size_t(bar)], false);
        }
        w.play(bar, motifRhythm, motif, chords[size_t(bar)]);
        Contour answer = w.freshBar(answerRhythm, chords[size_t(bar + 1)], false);
        w.play(bar + 1, answerRhythm, answer, chords[size_t(bar + 1)]);
        w.play(bar + 2, motifRhythm, motif, chords[size_t(bar + 2)]);
        const Rhythm& close = plan.rhythms[cadence];
        Contour ending = w.freshBar(close, chords[size_t(bar + 3)], true);
        w.play(bar + 3, close, ending, chords[size_t(bar + 3)]);
    }
}

void writeChord(Song& song, Voice voice, const Key& key, int chordDegree, int degreeOffset, double beat, double beats,
                float velocity, float reverb)
{
    for (int k = 0; k < 3; ++k) {
        float pan = float(k - 1) * 0.35f;
        song.note(voice, beat, beats, key.pitch(chordDegree + degreeOffset + 2 * k), velocity, pan, reverb);
    }
}

}  // namespace datagen
