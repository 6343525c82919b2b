// The mixed sound of a round keeps its headroom: over each of the four round
// tracks, the start sound, two clears and their whole turn cycles (the clear's
// whoosh, the radar ping as the arrow stops, the clunk of the slide) are
// rendered from the virtual device in step with the clock, and no sample
// rises above -1 dBFS. The first clear comes at the earliest tick a round
// allows, so the start sound, the whoosh and the radar ping overlap.
#include "scene/game_fixture.h"

#include "framework/sound/SoundCatalogue.h"
#include "framework/sound/SoundSystem.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

namespace {

// -1 dBFS in 16-bit samples.
const int Ceiling = static_cast<int>(32768 * std::pow(10.0, -1.0 / 20));

bool playedEffect(int id)
{
    const int buffer = testmode::soundBufferId(soundSystem->effects[id]->buffer);
    for (const testmode::SoundCall& c : testmode::soundCalls())
        if (c.call == "Play" && c.buffer == buffer) return true;
    return false;
}

// The first scene seed whose music draw gives `id`.
uint32_t seedForTrack(int id)
{
    for (uint32_t seed = 1;; ++seed) {
        std::mt19937 copy(seed);
        if (std::uniform_int_distribution<int>(BGM_HAKUGIN, BGM_ESCAPERS)(copy) == id) return seed;
    }
}

}  // namespace

class HeadroomTest : public GameTest {
protected:
    // One tick, then the audio up to the clock's time.
    void tickHeard()
    {
        tick();
        const uint64_t due = uint64_t{testmode::clockMs()} * testmode::AudioRate / 1000;
        const std::vector<int16_t> slice = testmode::renderAudio(static_cast<uint32_t>(due - rendered));
        rendered = due;
        for (int16_t s : slice) {
            const int level = std::abs(static_cast<int>(s));
            loudest = std::max(loudest, level);
            aboveCeiling += level > Ceiling;
        }
    }

    // Holds the right button over a prepared group of four until it clears,
    // then plays the turn cycle through to the next tick that takes a clear.
    void clearAndRunTheCycle()
    {
        setBoard({"1234", "1345", "1452", "1523"});
        const int32_t chain = field().chain;
        testmode::setKey(VK_RBUTTON, true);
        for (int guard = 0; field().chain == chain && guard < 30; ++guard) tickHeard();
        testmode::setKey(VK_RBUTTON, false);
        ASSERT_EQ(field().chain, chain + 1) << "the prepared group did not clear";
        while (field().phase < field().evaluateFrom - 1) tickHeard();
    }

    uint64_t rendered = 0;
    int loudest = 0;
    long aboveCeiling = 0;
};

TEST_F(HeadroomTest, ClearsOverEachRoundTrackStayAtOrBelowMinusOneDecibel)
{
    for (int id = BGM_HAKUGIN; id <= BGM_ESCAPERS; ++id) {
        SCOPED_TRACE("track " + std::to_string(id));
        sceneRandom.seed(seedForTrack(id));
        testmode::clearSoundCalls();
        rendered = uint64_t{testmode::clockMs()} * testmode::AudioRate / 1000;
        loudest = 0;
        aboveCeiling = 0;

        pressStart(true);
        tickHeard();
        pressStart(false);
        ASSERT_TRUE(scene().playing);
        clearAndRunTheCycle();
        clearAndRunTheCycle();
        EXPECT_TRUE(playedEffect(SE_START) && playedEffect(SE_SYUPON) && playedEffect(SE_RADAR) &&
                    playedEffect(SE_GASYAN));

        EXPECT_GT(loudest, 4000) << "the round was not heard";
        EXPECT_EQ(aboveCeiling, 0) << "peak " << 20 * std::log10(loudest / 32768.0) << " dBFS";
        field().timeLeft = 0;
        tickHeard();
        ASSERT_FALSE(scene().playing);
    }
}
