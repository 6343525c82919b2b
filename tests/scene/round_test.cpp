// The game scene as a player meets it, through InitSystems, the frame clock
// and the message loop in test mode: the waiting screen and its layout, a
// whole round from the start press to its end (banner, counters, a prepared
// clear with its shrink, arrow flight and pulse, the rolling score, music and
// start sound), the press edge, the music choice, and shut-down during a
// round.
#include "scene/game_fixture.h"

#include "app/MousePointer.h"
#include "framework/graphics/orvSprite.h"
#include "framework/sound/SoundCatalogue.h"
#include "framework/sound/SoundSystem.h"
#include "game/DigitCounter.h"
#include "game/StatusPanel.h"

#include "RiffWave.h"
#include "support/scratch_folder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

using L = FrameLayout;

// The digits a run of counter quads shows, read back from their source cells.
std::string shownDigits(const std::vector<DrawnQuad>& t, int first, int count, const orvSprite& sheet)
{
    std::string shown;
    for (int i = first; i < first + count; ++i)
        shown += char('0' + t[i].sourceX(sheet.width) / 64 + 8 * (t[i].sourceY(sheet.height) / 64));
    return shown;
}

bool logged(const char* call, int buffer)
{
    for (const testmode::SoundCall& c : testmode::soundCalls())
        if (c.call == call && c.buffer == buffer) return true;
    return false;
}

long lastVolume(int buffer)
{
    long volume = 1;
    for (const testmode::SoundCall& c : testmode::soundCalls())
        if (c.call == "SetVolume" && c.buffer == buffer) volume = c.value;
    return volume;
}

int peak(const std::vector<int16_t>& samples)
{
    int most = 0;
    for (int16_t s : samples) most = std::max(most, std::abs(static_cast<int>(s)));
    return most;
}

int effectBuffer(int id)
{
    return soundSystem && soundSystem->effects[id] ? testmode::soundBufferId(soundSystem->effects[id]->buffer) : 0;
}

int musicBuffer() { return currentMusic ? testmode::soundBufferId(currentMusic->buffer) : 0; }

// A one-second stereo WAV of a square wave whose half period is `run` frames.
std::string writeSquareTrack(int id, int run)
{
    std::filesystem::create_directories("scene_test_data");
    const std::string path = "scene_test_data/track" + std::to_string(id) + ".wav";
    std::vector<int16_t> samples;
    for (int f = 0; f < 44100; ++f) {
        const int16_t s = (f / run) % 2 ? -12000 : 12000;
        samples.insert(samples.end(), {s, s});
    }
    return writeFile(path, wav::pcm16(44100, 2, samples));
}

// The average run length between sign changes of the left channel.
double averageRun(const std::vector<int16_t>& stereo)
{
    int changes = 0;
    for (size_t i = 2; i < stereo.size(); i += 2) changes += (stereo[i] < 0) != (stereo[i - 2] < 0);
    return changes ? static_cast<double>(stereo.size() / 2) / changes : 0.0;
}

}  // namespace

TEST_F(GameTest, BeforeTheFirstStartTheBoardWaitsUnderTheBanner)
{
    int32_t board[16];
    std::memcpy(board, field().board, sizeof board);
    const std::vector<DrawnQuad> frame = drawnTick();

    // Camera, clear, then the quads; the clear is black, depth 1, whole surface.
    const std::vector<std::string>& calls = testmode::calls();
    auto first = [&](const char* prefix) {
        return std::find_if(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }) -
               calls.begin();
    };
    EXPECT_LT(first("SetViewport"), first("Clear("));
    EXPECT_LT(first("Clear("), first("DrawPrimitiveUP"));
    EXPECT_EQ(calls[first("Clear(")], "Clear(0, NULL, 3, 0x00000000, 1, 0)");

    ASSERT_EQ(frame.size(), 16u + L::Count) << "a full board, then the panel, banner and pointer";
    const std::vector<DrawnQuad> t = tail(frame);
    EXPECT_EQ(t[L::Window].x[0], 0);
    EXPECT_EQ(t[L::Window].width(), 1024);
    EXPECT_EQ(t[L::Status].x[0], 1024);
    EXPECT_EQ(t[L::Status].height(), 1024);
    EXPECT_NEAR(t[L::Arrow].centreX(), 1152, 0.5);
    EXPECT_NEAR(t[L::Arrow].centreY(), 128, 0.5);
    EXPECT_NEAR(t[L::Arrow].width(), 128, 0.01);
    EXPECT_EQ(t[L::ColourChange].x[0], 1056);
    EXPECT_EQ(t[L::ColourChange].y[0], 796);
    EXPECT_EQ(t[L::ColourChange].width(), 192);

    // Digit positions follow the step formula; each digit is one pixel larger.
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(t[L::Score0 + i].x[0], 1040 + 36 * i);
        EXPECT_EQ(t[L::Score0 + i].y[0], 270);
        EXPECT_EQ(t[L::Score0 + i].width(), 49);
    }
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(t[L::Time0 + i].x[0], 1100 + 30 * i);
        EXPECT_EQ(t[L::Time0 + i].y[0], 690);
        EXPECT_EQ(t[L::Chain0 + i].x[0], 1120 + 28 * i);
        EXPECT_EQ(t[L::Chain0 + i].y[0], 530);
        EXPECT_EQ(t[L::Chain0 + i].height(), 37);
    }
    const StatusPanel& panel = *scene().panel;
    EXPECT_EQ(shownDigits(t, L::Score0, 6, *panel.scoreCounter->sheet), "000000");
    EXPECT_EQ(shownDigits(t, L::Time0, 2, *panel.timeCounter->sheet), "00");

    EXPECT_EQ(t[L::Banner].x[0], 128);
    EXPECT_EQ(t[L::Banner].y[0], 450);
    EXPECT_EQ(t[L::Banner].width(), 1024);
    EXPECT_EQ(t[L::Banner].height(), 128);
    EXPECT_EQ(t[L::Pointer].x[0], 1150);
    EXPECT_EQ(t[L::Pointer].y[0], 950);
    EXPECT_NEAR(t[L::Spinner].centreX(), 1150 + 64, 0.5);
    EXPECT_NEAR(t[L::Spinner].centreY(), 950 + 48, 0.5);

    // Without a start nothing moves and no music plays.
    ticks(60);
    EXPECT_FALSE(scene().playing);
    EXPECT_EQ(scene().overlayOffset, 0);
    EXPECT_EQ(field().timeLeft, 0);
    EXPECT_EQ(std::memcmp(board, field().board, sizeof board), 0);
    EXPECT_FALSE(musicPlaying);
}

TEST_F(GameTest, AWholeRoundFromTheStartPressToItsEnd)
{
    const StatusPanel& panel = *scene().panel;
    const orvSprite& numbers = *panel.scoreCounter->sheet;
    const int startSound = effectBuffer(SE_START);
    ASSERT_NE(startSound, 0);
    testmode::clearSoundCalls();

    // The screen saver is left alone while the game waits, held off in a round.
    EXPECT_TRUE(testmode::screenSaverAllowed());
    // The start tick resets the field and already plays its first frame.
    pressStart(true);
    std::vector<DrawnQuad> t = tail(drawnTick());
    ASSERT_FALSE(t.empty());
    EXPECT_TRUE(scene().playing);
    EXPECT_FALSE(testmode::screenSaverAllowed());
    EXPECT_EQ(field().timeLeft, 3599);
    EXPECT_EQ(t[L::Banner].x[0], 168);
    EXPECT_EQ(shownDigits(t, L::Time0, 2, numbers), "60") << "the panel shows the field as the last tick left it";
    EXPECT_TRUE(logged("Play", startSound));
    ASSERT_TRUE(musicPlaying);
    const int firstTrack = musicBuffer();
    EXPECT_EQ(lastVolume(firstTrack), musicVolumeCurve(154)) << "0.7 of full level 220";
    EXPECT_GT(peak(testmode::renderAudio(testmode::AudioRate / 4)), 1000);

    // Space stays held for the whole round: only its press edge counted.
    ticks(26);
    t = tail(drawnTick());
    EXPECT_EQ(t[L::Banner].x[0], 128 + 40 * 28);
    t = tail(drawnTick());
    EXPECT_EQ(t[L::Banner].x[0], 1288) << "off screen from the 29th tick";
    EXPECT_EQ(shownDigits(t, L::Time0, 2, numbers), "59");

    // A prepared clear: column 0 is one group of four.
    setBoard({"1234", "1345", "1452", "1523"});
    testmode::setKey(VK_RBUTTON, true);
    tick();
    testmode::setKey(VK_RBUTTON, false);
    const int32_t score = field().score;
    ASSERT_EQ(field().chain, 1);
    ASSERT_GT(score, 0);
    EXPECT_EQ(panel.shownScore, 0) << "the panel saw the clear's tick before the field ran it";

    // The turn cycle: the cleared blocks shrink, the arrow flies, then pulses;
    // meanwhile the shown score climbs 20 a tick up to the score.
    for (int k = 1; field().phase < PuzzleField::READY_AT + 1; ++k) {
        const int32_t phase = field().phase + 1;
        if (phase == 8 || phase == 35 || phase == 70) {
            const std::vector<DrawnQuad> frame = drawnTick();
            t = tail(frame);
            ASSERT_FALSE(t.empty());
            EXPECT_NEAR(t[L::Arrow].centreX(), 1152 + arrowShiftX, 0.5) << "phase " << phase;
            EXPECT_NEAR(t[L::Arrow].centreY(), 128 + arrowShiftY, 0.5) << "phase " << phase;
            EXPECT_NEAR(t[L::Arrow].width(), 128 + arrowPulse, 0.01) << "phase " << phase;
            if (phase == 8) {
                const auto small = std::count_if(frame.begin(), frame.end() - L::Count,
                                                 [](const DrawnQuad& q) { return q.width() < 255; });
                EXPECT_EQ(small, 4) << "the four cleared blocks shrink";
            }
            if (phase == 35) {
                EXPECT_LT(arrowShiftX, 0) << "the arrow flies toward the board";
            }
            if (phase == 70) {
                EXPECT_GT(arrowPulse, 0) << "the arrow pulses";
            }
        } else {
            tick();
        }
        EXPECT_EQ(panel.shownScore, std::min(20 * k, score)) << "tick " << k << " after the clear";
    }
    for (int k = 0; k < 16; ++k) EXPECT_NE(field().board[k], 0) << "refilled";
    t = tail(drawnTick());
    char scoreText[8];
    std::snprintf(scoreText, sizeof scoreText, "%06d", score);
    EXPECT_EQ(shownDigits(t, L::Score0, 6, numbers), scoreText);
    EXPECT_EQ(shownDigits(t, L::Chain0, 2, *panel.chainCounter->sheet), "01");

    // Near the end, a bigger clear whose score is still rolling when time runs out.
    while (field().timeLeft > 40) tick();
    while (field().phase < field().evaluateFrom) tick();
    setBoard({"1111", "1111", "1111", "1111"});
    testmode::setKey(VK_RBUTTON, true);
    tick();
    testmode::setKey(VK_RBUTTON, false);
    const int32_t finalScore = field().score;
    field().timeLeft = 5;
    int guard = 0;
    while (scene().playing && ++guard < 20) tick();
    ASSERT_FALSE(scene().playing);
    EXPECT_TRUE(testmode::screenSaverAllowed()) << "the round's end lets the screen saver be";
    const int32_t frozen = panel.shownScore;
    EXPECT_LT(frozen, finalScore);
    ticks(30);
    EXPECT_EQ(panel.shownScore, frozen) << "between rounds the panel keeps its values";
    EXPECT_EQ(scene().overlayOffset, 0);
    // Under the banner: the best score's plaque, its digits, the round's
    // badge (the first round makes the top) and the hint to the table.
    const std::vector<DrawnQuad> waiting = drawnTick();
    const size_t bestScoreQuads = 3 + std::to_string(finalScore).size();
    t = tail(waiting, bestScoreQuads);
    ASSERT_FALSE(t.empty());
    EXPECT_EQ(t[L::Banner].x[0], 128);
    EXPECT_EQ(shownDigits(t, L::Time0, 2, numbers), "00");

    // The music goes on after the round and Space held does not restart it.
    EXPECT_TRUE(musicPlaying);
    EXPECT_FALSE(logged("Stop", firstTrack));
    EXPECT_GT(peak(testmode::renderAudio(testmode::AudioRate / 4)), 1000);

    // A new press: the old track stops, the score drops to 0 at once.
    pressStart(false);
    tick();
    pressStart(true);
    tick();
    EXPECT_TRUE(scene().playing);
    EXPECT_TRUE(logged("Stop", firstTrack));
    EXPECT_EQ(panel.shownScore, 0);
    EXPECT_EQ(field().timeLeft, 3599);
}

TEST_F(GameTest, EachStartPicksTrackTenToThirteenFromTheScenesEngine)
{
    // Tracks told apart by the length of their square wave's half period;
    // track 14 is there only to be caught if it were ever chosen.
    for (int id = BGM_HAKUGIN; id <= BGM_PLASTIC_ADVENTURE; ++id)
        std::strncpy(musicTable[id - MUSIC_FIRST_ID], writeSquareTrack(id, 6 * (id - 9)).c_str(), MUSIC_NAME_BYTES - 1);

    bool seen[4] = {};
    for (uint32_t seed : {1u, 2u, 3u, 5u, 8u, 13u}) {
        sceneRandom.seed(seed);
        std::mt19937 copy(seed);
        const int expected = std::uniform_int_distribution<int>(10, 13)(copy);
        seen[expected - 10] = true;

        pressStart(true);
        tick();
        pressStart(false);
        ASSERT_TRUE(musicPlaying);
        EXPECT_EQ(lastVolume(musicBuffer()), musicVolumeCurve(154));
        // Past the start sound, only the track sounds.
        testmode::renderAudio(testmode::AudioRate * 3 / 2);
        const double run = averageRun(testmode::renderAudio(testmode::AudioRate / 4));
        EXPECT_NEAR(run, 6 * (expected - 9), 0.5) << "seed " << seed;

        field().timeLeft = 0;
        tick();
        ASSERT_FALSE(scene().playing);
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2] && seen[3]) << "the chosen seeds cover all four tracks";
}

TEST_F(GameTest, ThePointerShowsThePointTheFieldActsOn)
{
    pressStart(true);
    ticks(25);  // colour changes are taken from the start tick on
    pressStart(false);

    // Cell (1, 2) under the hot spot, with the window away from the desktop's corner.
    testmode::setWindowRect(RECT{100, 50, 1386, 1103});
    testmode::setCursor(100 + 300, 50 + 600);
    const int32_t before = field().board[1 * 4 + 2];
    const int32_t gravity = field().gravity;
    testmode::setKey(VK_LBUTTON, true);
    std::vector<DrawnQuad> t = tail(drawnTick());
    testmode::setKey(VK_LBUTTON, false);
    ASSERT_FALSE(t.empty());
    EXPECT_EQ(t[L::Pointer].x[0], 300);
    EXPECT_EQ(t[L::Pointer].y[0], 600);
    EXPECT_EQ(field().board[1 * 4 + 2], before % 5 + 1);
    EXPECT_NE(field().gravity, gravity);

    // The spin advances per drawn frame, not per tick.
    const float angle = pointerAngle;
    ticks(5);
    t = tail(drawnTick());
    EXPECT_NEAR(pointerAngle, angle + 0.1f, 1e-5);
    EXPECT_NEAR(t[L::Spinner].angle(), pointerAngle, 1e-3);

    // Outside the window the pointer is drawn where it is, unclamped.
    testmode::setCursor(100 - 40, 50 + 1100);
    t = tail(drawnTick());
    EXPECT_EQ(t[L::Pointer].x[0], -40);
    EXPECT_EQ(t[L::Pointer].y[0], 1100);

    // The angle stays within one turn however long the game runs.
    for (int i = 0; i < 1000; ++i) MousePointer::Draw();
    EXPECT_GE(pointerAngle, 0.0f);
    EXPECT_LT(pointerAngle, 6.2832f);
}

TEST_F(GameTest, ClosingDuringARoundStopsTheMusicBeforeTheSoundSystemGoes)
{
    pressStart(true);
    tick();
    ASSERT_TRUE(musicPlaying);
    const int track = musicBuffer();
    const int startSound = effectBuffer(SE_START);
    testmode::renderAudio(testmode::AudioRate / 4);
    testmode::clearSoundCalls();
    ShutdownSystems();
    EXPECT_EQ(liveStreams.load(), 0);
    EXPECT_EQ(sceneManager, nullptr);
    EXPECT_EQ(pointerSprite, nullptr);
    EXPECT_EQ(rotateSprite, nullptr);
    const std::vector<testmode::SoundCall> calls = testmode::soundCalls();
    auto at = [&](const char* call, int buffer) {
        return std::find_if(calls.begin(), calls.end(),
                            [&](const testmode::SoundCall& c) { return c.call == call && c.buffer == buffer; }) -
               calls.begin();
    };
    ASSERT_LT(at("Stop", track), static_cast<long>(calls.size()));
    ASSERT_LT(at("Release", startSound), static_cast<long>(calls.size()));
    EXPECT_LT(at("Stop", track), at("Release", startSound));
}
