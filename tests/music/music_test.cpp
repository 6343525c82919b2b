// Tests of the streamed music as heard through the virtual device: Ogg and
// WAV tracks loop without a gap, a mono track at its own speed, a new track
// replaces the old one while the old thread cleans up, a track the device
// stopped stays the game's until it lets go, shut-down ends every stream
// thread, nothing waits for a thread that does not answer, and broken tracks
// neither start nor hang. Ogg files come from oggenc, WAV files from sox or
// are built here. These tests also run under ThreadSanitizer.
#include "framework/sound/MusicStream.h"
#include "framework/sound/SoundCatalogue.h"

#include "sound/sound_test_support.h"

#include <cmath>
#include <cstring>

using namespace soundtest;

namespace {

ScratchFolder scratch("music");

// Ogg Vorbis made by oggenc from a sox tone: left and right differ.
std::string makeOgg(const std::string& name, const std::string& length, int channels = 2)
{
    const std::string wav = scratch.file(name + ".wav");
    const std::string ogg = scratch.file(name + ".ogg");
    EXPECT_TRUE(run("sox -n -r 44100 -c " + std::to_string(channels) + " -b 16 " + wav + " synth " + length +
                    " sine 440 sine 660 vol 0.5"));
    EXPECT_TRUE(run("oggenc -Q " + wav + " -o " + ogg));
    return ogg;
}

// Every sample the decoder gives for a file, start to end.
std::vector<int16_t> decodeAll(const std::string& path)
{
    OggVorbis_File vorbis;
    std::vector<int16_t> samples;
    if (ov_fopen(path.c_str(), &vorbis) != 0) return samples;
    char block[4096];
    int section = 0;
    for (long got; (got = ov_read(&vorbis, block, sizeof(block), 0, 2, 1, &section)) > 0;) {
        const auto* s = reinterpret_cast<const int16_t*>(block);
        samples.insert(samples.end(), s, s + got / 2);
    }
    ov_clear(&vorbis);
    return samples;
}

// Whether `captured` is `track` repeated from its start; reports the first difference.
::testing::AssertionResult loops(const std::vector<int16_t>& captured, const std::vector<int16_t>& track)
{
    if (track.empty()) return ::testing::AssertionFailure() << "empty track";
    for (size_t i = 0; i < captured.size(); ++i)
        if (captured[i] != track[i % track.size()])
            return ::testing::AssertionFailure() << "sample " << i << " (pass " << i / track.size() << ") is "
                                                 << captured[i] << ", track has " << track[i % track.size()];
    return ::testing::AssertionSuccess();
}

// Until `count` streams are left, each stream's thread releasing its own.
::testing::AssertionResult waitForStreams(LONG count)
{
    if (testmode::waitForThreads([count] { return liveStreams.load() == count; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << liveStreams.load() << " streams live after 10 s, not " << count;
}

// Until the current track's thread has brought it to `hold`.
::testing::AssertionResult waitForHold(int hold)
{
    MusicStream* const stream = currentMusic;
    if (testmode::waitForThreads([stream, hold] { return stream->hold.load() == hold; }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the track's hold is " << stream->hold.load() << " after 10 s, not "
                                         << hold;
}

size_t countCalls(const char* call, int buffer)
{
    size_t count = 0;
    for (const testmode::SoundCall& c : testmode::soundCalls()) count += c.call == call && c.buffer == buffer;
    return count;
}

void playTrack(const std::string& path, int id = BGM_HAKUGIN)
{
    std::strncpy(musicTable[id - MUSIC_FIRST_ID], path.c_str(), MUSIC_NAME_BYTES - 1);
    playMusic(id);
}

int peak(const std::vector<int16_t>& samples)
{
    int most = 0;
    for (int16_t s : samples) most = std::max(most, std::abs(static_cast<int>(s)));
    return most;
}

class Music : public ::testing::Test {
protected:
    void SetUp() override
    {
        startSound(true);
        stopAllStreams = false;
    }
    void TearDown() override
    {
        stopMusic();
        stopAllMusic();
        EXPECT_EQ(liveStreams.load(), 0);
        stopAllStreams = false;
        currentMusic = nullptr;
        stopSound();
    }
};

}  // namespace

TEST_F(Music, OggTracksLoopWithoutAGap)
{
    // Shorter than one half (rewound several times inside one refill) and
    // longer than both halves together (refilled by the stream's thread).
    for (const char* length : {"0.3", "2.5"}) {
        SCOPED_TRACE(length);
        const std::string path = makeOgg(std::string("loop") + length, length);
        const std::vector<int16_t> track = decodeAll(path);
        playTrack(path);
        ASSERT_NE(currentMusic, nullptr);
        EXPECT_EQ(currentMusic->halfFrames, 44100u);
        EXPECT_TRUE(loops(testmode::renderAudio(testmode::AudioRate * 6), track));
        stopMusic();
        ASSERT_TRUE(waitForStreams(0));
    }
}

TEST_F(Music, WavTracksLoopAtThePhysicalEndOfTheFile)
{
    // Whatever follows the data chunk is played as samples too.
    for (size_t frames : {3000u, 66150u}) {
        SCOPED_TRACE(frames);
        std::vector<int16_t> samples;
        for (size_t i = 0; i < frames * 2; ++i)
            samples.push_back(static_cast<int16_t>(static_cast<int>((i * 37) % 20000) - 10000));
        const Bytes file = riffWave({fmtChunk(1, 1, 8000, 8), chunk("data", samples16(samples)),
                                     chunk("LIST", Bytes{'I', 'N', 'F', 'O', 1, 2, 3, 4})});
        const std::string path = writeFile(scratch.file("track.wav"), file);
        const size_t dataStart = 12 + 24 + 8;
        std::vector<int16_t> track(samples);
        for (size_t i = dataStart + samples.size() * 2; i + 1 < file.size(); i += 2)
            track.push_back(static_cast<int16_t>(file[i] | (file[i + 1] << 8)));
        playTrack(path);
        ASSERT_NE(currentMusic, nullptr);
        EXPECT_TRUE(loops(testmode::renderAudio(testmode::AudioRate * 4), track));
        stopMusic();
        ASSERT_TRUE(waitForStreams(0));
    }
}

TEST_F(Music, ANewTrackReplacesThePlayingOne)
{
    const std::string first = makeOgg("first", "3");
    std::vector<int16_t> second;
    for (int i = 0; i < 2000; ++i) second.push_back(static_cast<int16_t>(i * 11 - 11000));
    const std::string secondPath =
        writeFile(scratch.file("second.wav"), riffWave({fmtChunk(1, 2, 44100, 16), chunk("data", samples16(second))}));

    playTrack(first, BGM_HOMURA);
    ASSERT_NE(currentMusic, nullptr);
    EXPECT_GT(peak(testmode::renderAudio(testmode::AudioRate / 2)), 1000);

    // The round-start order: stop, play the next, set its volume.
    stopMusic();
    playTrack(secondPath, BGM_SIXTH_SENSE);
    ASSERT_NE(currentMusic, nullptr);
    setMusicVolume(1.0f);
    EXPECT_TRUE(waitForStreams(1));  // the old thread has released its stream
    const std::vector<int16_t> heard = testmode::renderAudio(10000);
    std::vector<int16_t> expected;
    const auto gain = static_cast<float>(std::pow(10.0, -1 / 2000.0));
    for (size_t i = 0; i < heard.size(); ++i)
        expected.push_back(static_cast<int16_t>(std::lrint(second[i % second.size()] * gain)));
    EXPECT_EQ(heard, expected);
}

TEST_F(Music, VolumeFollowsTheCurve)
{
    EXPECT_EQ(musicVolumeCurve(255), 0);
    EXPECT_EQ(musicVolumeCurve(220), -1);
    EXPECT_EQ(musicVolumeCurve(154), -225);
    EXPECT_EQ(musicVolumeCurve(128), -576);
    EXPECT_EQ(musicVolumeCurve(0), -10000);

    playTrack(makeOgg("volume", "0.5"));
    ASSERT_NE(currentMusic, nullptr);
    const int buffer = testmode::soundBufferId(currentMusic->buffer);
    auto lastVolume = [buffer] {
        long volume = 1;
        for (const testmode::SoundCall& c : testmode::soundCalls())
            if (c.call == "SetVolume" && c.buffer == buffer) volume = c.value;
        return volume;
    };
    EXPECT_EQ(currentMusic->volume, 255);
    EXPECT_EQ(lastVolume(), 0);
    const struct {
        float x;
        LONG level;
        long volume;
    } cases[] = {{0.7f, 154, -225}, {1.0f, 220, -1}, {5.0f, 255, 0}, {-1.0f, 0, -10000}, {0.0f, 0, -10000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        setMusicVolume(c.x);
        EXPECT_EQ(currentMusic->volume, c.level);
        EXPECT_EQ(lastVolume(), c.volume);
    }
    // Once stopped, the track is its thread's: the volume leaves it alone.
    stopMusic();
    testmode::clearSoundCalls();
    setMusicVolume(0.7f);
    EXPECT_EQ(lastVolume(), 1);
}

TEST_F(Music, ShutDownEndsEveryStreamThread)
{
    // No stream ever started.
    stopAllMusic();
    EXPECT_EQ(liveStreams.load(), 0);
    stopAllStreams = false;

    // Two streams still playing: the old one never stopped, the current one.
    playTrack(makeOgg("a", "1"));
    playTrack(makeOgg("b", "1"));
    ASSERT_NE(currentMusic, nullptr);
    const int buffer = testmode::soundBufferId(currentMusic->buffer);
    testmode::renderAudio(testmode::AudioRate / 2);
    EXPECT_EQ(liveStreams.load(), 2);
    stopAllMusic();
    EXPECT_EQ(liveStreams.load(), 0);
    // The buffer was stopped and released by its thread before the wait ended.
    bool stopped = false;
    bool released = false;
    for (const testmode::SoundCall& c : testmode::soundCalls()) {
        if (c.buffer != buffer) continue;
        stopped = stopped || c.call == "Stop";
        released = released || (stopped && c.call == "Release");
    }
    EXPECT_TRUE(released);
    currentMusic = nullptr;
    musicPlaying = false;
}

TEST_F(Music, BrokenTracksDoNotStart)
{
    const std::string good = makeOgg("good", "1");
    const Bytes oggBytes = readFile(good);
    Bytes garbage(5000);
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 131 + 7);
    const struct {
        const char* name;
        std::string path;
    } cases[] = {
        {"missing ogg", scratch.file("missing.ogg")},
        {"missing wav", scratch.file("missing.wav")},
        {"other extension", writeFile(scratch.file("track.mp3"), oggBytes)},
        {"empty ogg", writeFile(scratch.file("empty.ogg"), {})},
        {"garbage ogg", writeFile(scratch.file("garbage.ogg"), garbage)},
        {"wav without data", writeFile(scratch.file("nodata.wav"), riffWave({fmtChunk(1, 2, 44100, 16)}))},
        {"wav that is not RIFF", writeFile(scratch.file("notriff.wav"), garbage)},
        {"six-channel ogg", makeOgg("surround", "1", 6)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        playTrack(c.path);
        EXPECT_EQ(currentMusic, nullptr);
        EXPECT_TRUE(musicPlaying);
        EXPECT_EQ(liveStreams.load(), 0);
        stopMusic();
    }
}

TEST_F(Music, OddTracksPlayWithoutHanging)
{
    const std::string good = makeOgg("whole", "2");
    Bytes truncated = readFile(good);
    truncated.resize(truncated.size() * 6 / 10);
    ASSERT_TRUE(run("sox -n -r 44100 -c 2 -b 16 " + scratch.file("silence.wav") + " trim 0 0"));
    ASSERT_TRUE(run("oggenc -Q " + scratch.file("silence.wav") + " -o " + scratch.file("headers.ogg")));
    const struct {
        const char* name;
        std::string path;
        int sounds;  // 1 heard, 0 silent, -1 up to the decoder
    } cases[] = {
        {"upper-case extension", writeFile(scratch.file("LOUD.OGG"), readFile(good)), 1},
        {"truncated ogg", writeFile(scratch.file("truncated.ogg"), truncated), -1},
        {"ogg without samples", scratch.file("headers.ogg"), 0},
        {"wav ending at its data chunk",
         writeFile(scratch.file("nothing.wav"), riffWave({fmtChunk(1, 2, 44100, 16), chunk("data", {})})), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        playTrack(c.path);
        ASSERT_NE(currentMusic, nullptr);
        const std::vector<int16_t> heard = testmode::renderAudio(testmode::AudioRate * 3);
        if (c.sounds >= 0) {
            EXPECT_EQ(peak(heard) > 1000, c.sounds == 1);
        }
        stopMusic();
        EXPECT_TRUE(waitForStreams(0));
    }
}

TEST_F(Music, APausedTrackKeepsItsStreamAndPlaysOnWhenResumed)
{
    // The pause, the resume and a stop while paused each cross to the stream's
    // thread: the thread must keep the stream through the pause and end it
    // after the stop.
    const std::string path = makeOgg("paused", "2.5");
    playTrack(path);
    ASSERT_NE(currentMusic, nullptr);
    EXPECT_GT(peak(testmode::renderAudio(testmode::AudioRate)), 1000);

    pauseMusic();
    EXPECT_EQ(peak(testmode::renderAudio(testmode::AudioRate)), 0);
    EXPECT_EQ(liveStreams.load(), 1);

    resumeMusic();
    EXPECT_GT(peak(testmode::renderAudio(testmode::AudioRate * 2)), 1000);
    EXPECT_EQ(liveStreams.load(), 1);

    pauseMusic();
    testmode::renderAudio(testmode::AudioRate / 4);
    stopMusic();
    EXPECT_TRUE(waitForStreams(0));
}

TEST_F(Music, AMonoTrackPlaysAtItsOwnSpeedOnBothSides)
{
    // Longer than one half, so the stream's thread refills it too.
    const std::string path = makeOgg("mono", "1.5", 1);
    const std::vector<int16_t> track = decodeAll(path);
    playTrack(path);
    ASSERT_NE(currentMusic, nullptr);
    EXPECT_EQ(currentMusic->halfFrames, 44100u);
    const std::vector<int16_t> heard = testmode::renderAudio(testmode::AudioRate * 4);
    // SDL's mono-to-stereo conversion goes through floats: one step off at most.
    size_t differing = 0;
    for (size_t frame = 0; frame < heard.size() / 2; ++frame) {
        const int expected = track[frame % track.size()];
        differing += std::abs(heard[frame * 2] - expected) > 1 || heard[frame * 2 + 1] != heard[frame * 2];
    }
    EXPECT_EQ(differing, 0u) << "of " << heard.size() / 2 << " frames";
}

TEST_F(Music, ATrackTheDeviceStoppedStaysTheGamesUntilItLetsGo)
{
    // The device stops the buffer by itself (as the mixer does when SDL's
    // converter refuses its samples): the track ends, silent, but stays
    // whole for every later call until stopMusic or playMusic lets go.
    const std::string first = makeOgg("ended", "2.5");
    const std::string next = makeOgg("next", "1");
    for (const bool stopFirst : {true, false}) {
        SCOPED_TRACE(stopFirst ? "stopMusic, then playMusic" : "playMusic alone");
        playTrack(first);
        ASSERT_NE(currentMusic, nullptr);
        const int buffer = testmode::soundBufferId(currentMusic->buffer);
        testmode::renderAudio(testmode::AudioRate / 2);
        currentMusic->buffer->Stop();
        ASSERT_TRUE(waitForHold(MUSIC_ENDED));
        EXPECT_EQ(liveStreams.load(), 1);

        const size_t plays = countCalls("Play", buffer);
        pauseMusic();
        resumeMusic();
        setMusicVolume(0.7f);
        EXPECT_EQ(currentMusic->volume, 154);
        EXPECT_EQ(peak(testmode::renderAudio(testmode::AudioRate)), 0);
        EXPECT_EQ(countCalls("Play", buffer), plays);
        EXPECT_TRUE(musicPlaying);
        EXPECT_EQ(liveStreams.load(), 1);

        if (stopFirst) stopMusic();
        playTrack(next);
        ASSERT_NE(currentMusic, nullptr);
        EXPECT_TRUE(waitForStreams(1));
        EXPECT_EQ(countCalls("Release", buffer), 1u);
        EXPECT_GT(peak(testmode::renderAudio(testmode::AudioRate / 2)), 1000);
        stopMusic();
        ASSERT_TRUE(waitForStreams(0));
    }
}

TEST_F(Music, NeitherResumeNorShutDownWaitsForAThreadThatDoesNotAnswer)
{
    // A pause whose stop the stream's thread has not seen yet (a thread held
    // up elsewhere): the resume plays on at once, and the thread takes that
    // stop for nothing when it comes.
    playTrack(makeOgg("unanswered", "2.5"));
    ASSERT_NE(currentMusic, nullptr);
    pauseMusic();
    ASSERT_TRUE(waitForHold(MUSIC_PAUSED));
    currentMusic->hold = MUSIC_PAUSING;
    resumeMusic();
    EXPECT_TRUE(musicPlaying);
    EXPECT_GT(peak(testmode::renderAudio(testmode::AudioRate * 2)), 1000);
    pauseMusic();
    EXPECT_EQ(peak(testmode::renderAudio(testmode::AudioRate / 2)), 0);
    resumeMusic();
    EXPECT_GT(peak(testmode::renderAudio(testmode::AudioRate / 2)), 1000);

    // A stream whose thread never ends: shut-down still returns, having
    // ended the one that does, and says that one is left.
    ++liveStreams;
    EXPECT_FALSE(stopAllMusic());
    EXPECT_EQ(liveStreams.load(), 1);
    --liveStreams;
    EXPECT_EQ(currentMusic, nullptr);
    EXPECT_FALSE(musicPlaying);
}
