// Tests of the sound effects as the player hears them: captured from the
// virtual device, in every PCM shape a WAV may hold, restarted by a second
// play, and silent without a device.
#include "framework/sound/MusicStream.h"
#include "framework/sound/SoundCatalogue.h"

#include "sound/sound_test_support.h"

#include <cmath>

using namespace soundtest;

namespace {

ScratchFolder scratch("sound_effects");

class Effects : public ::testing::Test {
protected:
    void SetUp() override { startSound(true); }
    void TearDown() override { stopSound(); }
};

std::vector<int16_t> ramp(size_t frames)
{
    std::vector<int16_t> stereo;
    for (size_t i = 0; i < frames; ++i) {
        stereo.push_back(static_cast<int16_t>(i + 1));
        stereo.push_back(static_cast<int16_t>(-static_cast<int>(i) - 1));
    }
    return stereo;
}

std::vector<int16_t> slice(const std::vector<int16_t>& v, size_t from, size_t count)
{
    return {v.begin() + static_cast<long>(from), v.begin() + static_cast<long>(from + count)};
}

// Upward zero crossings per second of one channel.
double frequency(const std::vector<int16_t>& channel)
{
    int crossings = 0;
    for (size_t i = 1; i < channel.size(); ++i)
        if (channel[i - 1] < 0 && channel[i] >= 0) ++crossings;
    return crossings * static_cast<double>(testmode::AudioRate) / static_cast<double>(channel.size());
}

int peak(const std::vector<int16_t>& samples)
{
    int most = 0;
    for (int16_t s : samples) most = std::max(most, std::abs(static_cast<int>(s)));
    return most;
}

}  // namespace

TEST_F(Effects, SecondPlayCutsTheEffectAndStartsItAgain)
{
    const std::vector<int16_t> effect = ramp(3000);
    soundSystem->setSoundEffect(
        SE_START,
        writeFile(scratch.file("start.wav"), riffWave({fmtChunk(1, 2, 44100, 16), chunk("data", samples16(effect))}))
            .c_str());
    ASSERT_NE(soundSystem->effects[SE_START], nullptr);

    playSoundEffect(SE_START);
    EXPECT_EQ(testmode::renderAudio(1000), slice(effect, 0, 2000));
    playSoundEffect(SE_START);
    // From the start again, and alone: the cut play does not go on beneath it.
    EXPECT_EQ(testmode::renderAudio(1500), slice(effect, 0, 3000));
    // Played once: the rest, then silence.
    const std::vector<int16_t> tail = testmode::renderAudio(2000);
    EXPECT_EQ(slice(tail, 0, 3000), slice(effect, 3000, 3000));
    EXPECT_EQ(peak(slice(tail, 3000, 1000)), 0);

    // Clearing a slot silences it; playing an empty or unknown slot does nothing.
    soundSystem->setSoundEffect(SE_START, nullptr);
    EXPECT_EQ(soundSystem->effects[SE_START], nullptr);
    playSoundEffect(SE_START);
    playSoundEffect(-1);
    playSoundEffect(SOUND_EFFECT_SLOTS);
    EXPECT_EQ(peak(testmode::renderAudio(500)), 0);
}

TEST_F(Effects, EveryPcmShapeIsConvertedToTheOutput)
{
    struct Case {
        const char* options;
        bool stereoInput;
    };
    const Case cases[] = {
        {"-r 22050 -c 1 -b 16", false},
        {"-r 11025 -c 1 -b 8 -e unsigned-integer", false},
        {"-r 48000 -c 2 -b 16", true},
        {"-r 8000 -c 2 -b 8 -e unsigned-integer", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const std::string path = scratch.file("tone.wav");
        ASSERT_TRUE(run(std::string("sox -D -n ") + c.options + " " + path + " synth 0.5 sine 1000 vol 0.5"));
        soundSystem->setSoundEffect(SE_RADAR, path.c_str());
        ASSERT_NE(soundSystem->effects[SE_RADAR], nullptr);
        playSoundEffect(SE_RADAR);
        const std::vector<int16_t> out = testmode::renderAudio(testmode::AudioRate / 4);
        const std::vector<int16_t> l = left(out);
        EXPECT_NEAR(frequency(l), 1000.0, 20.0);
        EXPECT_NEAR(peak(l), 16384, 1200);
        for (size_t i = 0; i < out.size(); i += 2) ASSERT_NEAR(out[i], out[i + 1], 1) << "frame " << i / 2;
    }
}

TEST_F(Effects, BufferVolumeScalesTheOutput)
{
    const std::string path = scratch.file("tone.wav");
    ASSERT_TRUE(run("sox -D -n -r 44100 -c 2 -b 16 " + path + " synth 0.5 sine 500 vol 0.5"));
    soundSystem->setSoundEffect(SE_GASYAN, path.c_str());
    LPDIRECTSOUNDBUFFER buffer = soundSystem->effects[SE_GASYAN]->buffer;
    const int full = [&] {
        playSoundEffect(SE_GASYAN);
        return peak(testmode::renderAudio(4410));
    }();
    EXPECT_EQ(buffer->SetVolume(-600), DS_OK);  // -6 dB: half the amplitude
    playSoundEffect(SE_GASYAN);
    EXPECT_NEAR(peak(testmode::renderAudio(4410)), full * 0.501, full * 0.01);
    EXPECT_EQ(buffer->SetVolume(DSBVOLUME_MIN), DS_OK);
    playSoundEffect(SE_GASYAN);
    EXPECT_EQ(peak(testmode::renderAudio(4410)), 0);
    EXPECT_EQ(buffer->SetVolume(1), DSERR_INVALIDPARAM);
}

TEST(EffectsWithoutDevice, TheGameRunsSilent)
{
    startSound(false);
    EXPECT_EQ(soundSystem->device, nullptr);
    EXPECT_EQ(soundSystem->primary, nullptr);
    const std::string path =
        writeFile(scratch.file("e.wav"), riffWave({fmtChunk(1, 1, 22050, 16), chunk("data", Bytes(100, 1))}));
    soundSystem->setSoundEffect(SE_ALARM, path.c_str());
    EXPECT_EQ(soundSystem->effects[SE_ALARM], nullptr);
    playSoundEffect(SE_ALARM);
    std::strcpy(musicTable[0], path.c_str());
    playMusic(BGM_HAKUGIN);
    EXPECT_EQ(currentMusic, nullptr);
    EXPECT_TRUE(musicPlaying);
    setMusicVolume(0.7f);
    stopMusic();
    EXPECT_FALSE(musicPlaying);
    EXPECT_EQ(liveStreams.load(), 0);
    EXPECT_TRUE(testmode::soundCalls().empty());
    stopSound();
}

TEST(SoundCatalogue, RegistersTheEffectsThatLoadAndEveryTrack)
{
    // The catalogue reads its files relative to the working directory.
    const std::filesystem::path previous = std::filesystem::current_path();
    const std::filesystem::path root = scratch.file("game");
    std::filesystem::create_directories(root / "DATA/Sound/SE");
    const Bytes wave = riffWave({fmtChunk(1, 1, 22050, 16), chunk("data", Bytes(200, 0))});
    writeFile((root / "DATA/Sound/SE/meka_mi_radar01.wav").string(), wave);
    writeFile((root / "DATA/Sound/SE/start.wav").string(), wave);
    writeFile((root / "DATA/Sound/SE/gasyan.wav").string(), Bytes{'R', 'I', 'F', 'F'});  // broken
    std::filesystem::current_path(root);
    testmode::enable();
    testmode::enableAudioDevice(true);
    registerSounds();
    std::filesystem::current_path(previous);

    ASSERT_NE(soundSystem, nullptr);
    EXPECT_EQ(soundSystem->effects[SE_ALARM], nullptr);
    EXPECT_NE(soundSystem->effects[SE_RADAR], nullptr);
    EXPECT_EQ(soundSystem->effects[SE_SYUPON], nullptr);
    EXPECT_EQ(soundSystem->effects[SE_GASYAN], nullptr);
    EXPECT_NE(soundSystem->effects[SE_START], nullptr);
    for (int slot = SE_START + 1; slot < SOUND_EFFECT_SLOTS; ++slot) EXPECT_EQ(soundSystem->effects[slot], nullptr);
    EXPECT_STREQ(musicFile(BGM_HAKUGIN), "DATA/Sound/BGM/Tonfal/hakugin.ogg");
    EXPECT_STREQ(musicFile(BGM_ESCAPERS), "DATA/Sound/BGM/Emberlo/the_escapers_fly_into_the_sky.ogg");
    EXPECT_STREQ(musicFile(BGM_PLASTIC_ADVENTURE), "DATA/Sound/BGM/Tonfal/PlasticAdventure.ogg");
    EXPECT_EQ(musicFile(BGM_HAKUGIN - 1), nullptr);
    EXPECT_EQ(musicFile(BGM_PLASTIC_ADVENTURE + 1), nullptr);
    stopSound();
}
