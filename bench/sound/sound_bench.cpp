// sound_bench.cpp — what sound costs: the mixer rendering every effect at
// once plus one music stream (its refills included), in seconds of audio per
// second of work; how long a round start holds the main thread to start a
// track; how long shut-down waits for a playing stream's thread; and Ogg
// Vorbis decoding as a multiple of real time. The
// sounds are made with sox and oggenc in a scratch folder at start.
#include "framework/sound/MusicStream.h"
#include "framework/sound/SoundCatalogue.h"
#include "framework/sound/SoundSystem.h"

#include "platform/testing.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

const std::filesystem::path scratch =
    std::filesystem::temp_directory_path() / ("vt_sound_bench_" + std::to_string(::getpid()));

std::string make(const std::string& name, const std::string& soxOptions, const std::string& length)
{
    const std::string wav = (scratch / (name + ".wav")).string();
    const std::string command = "sox -n " + soxOptions + " " + wav + " synth " + length + " sine 440 sine 660 vol 0.4";
    if (std::system((command + " 2>/dev/null").c_str()) != 0) return {};
    return wav;
}

std::string makeOgg(const std::string& name, const std::string& length)
{
    const std::string wav = make(name, "-r 44100 -c 2 -b 16", length);
    const std::string ogg = (scratch / (name + ".ogg")).string();
    if (wav.empty() || std::system(("oggenc -Q " + wav + " -o " + ogg).c_str()) != 0) return {};
    return ogg;
}

void MixerEveryEffectAndOneStream(benchmark::State& state)
{
    std::filesystem::create_directories(scratch);
    testmode::enable();
    testmode::enableAudioDevice(true);
    soundSystem = new SoundSystem();
    const char* shapes[] = {"-r 22050 -c 1 -b 16", "-r 11025 -c 1 -b 8 -e unsigned-integer", "-r 44100 -c 2 -b 16",
                            "-r 48000 -c 2 -b 16", "-r 8000 -c 1 -b 16"};
    for (int id = SE_ALARM; id <= SE_START; ++id)
        soundSystem->setSoundEffect(id, make("effect" + std::to_string(id), shapes[id], "1.5").c_str());
    const std::string track = makeOgg("track", "20");
    std::strncpy(musicTable[0], track.c_str(), MUSIC_NAME_BYTES - 1);
    playMusic(BGM_HAKUGIN);
    setMusicVolume(0.7f);
    if (!currentMusic) state.SkipWithError("the music stream did not start");

    for (auto _ : state) {
        for (int id = SE_ALARM; id <= SE_START; ++id) playSoundEffect(id);
        benchmark::DoNotOptimize(testmode::renderAudio(testmode::AudioRate).data());
    }
    state.counters["audio_s_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);

    stopMusic();
    stopAllMusic();
    stopAllStreams = false;
    delete soundSystem;
    soundSystem = nullptr;
}
BENCHMARK(MixerEveryEffectAndOneStream)->Unit(benchmark::kMillisecond)->UseRealTime();

// Shut-down with a track still playing: from the stop flag until the last
// stream thread has released its stream.
void ShutdownWithMusicPlaying(benchmark::State& state)
{
    std::filesystem::create_directories(scratch);
    testmode::enable();
    testmode::enableAudioDevice(true);
    soundSystem = new SoundSystem();
    const std::string track = makeOgg("shutdown", "3");
    std::strncpy(musicTable[0], track.c_str(), MUSIC_NAME_BYTES - 1);
    for (auto _ : state) {
        state.PauseTiming();
        playMusic(BGM_HAKUGIN);
        testmode::renderAudio(testmode::AudioRate / 10);
        state.ResumeTiming();
        stopAllMusic();
        state.PauseTiming();
        stopAllStreams = false;
        currentMusic = nullptr;
        musicPlaying = false;
        state.ResumeTiming();
    }
    delete soundSystem;
    soundSystem = nullptr;
}
BENCHMARK(ShutdownWithMusicPlaying)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// A round start on the main thread: opening the track and filling the first
// second of its buffer (a tick is 16.7 ms).
void StartTrack(benchmark::State& state)
{
    std::filesystem::create_directories(scratch);
    testmode::enable();
    testmode::enableAudioDevice(true);
    soundSystem = new SoundSystem();
    const std::string track = makeOgg("start", "3");
    std::strncpy(musicTable[0], track.c_str(), MUSIC_NAME_BYTES - 1);
    for (auto _ : state) {
        playMusic(BGM_HAKUGIN);
        state.PauseTiming();
        if (!currentMusic) state.SkipWithError("the music stream did not start");
        stopMusic();
        while (liveStreams.load() != 0) Sleep(1);
        state.ResumeTiming();
    }
    delete soundSystem;
    soundSystem = nullptr;
}
BENCHMARK(StartTrack)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void OggDecode(benchmark::State& state)
{
    std::filesystem::create_directories(scratch);
    const std::string track = makeOgg("decode", "10");
    OggVorbis_File vorbis;
    if (track.empty() || ov_fopen(track.c_str(), &vorbis) != 0) {
        state.SkipWithError("no Ogg file to decode");
        return;
    }
    const double seconds = ov_time_total(&vorbis, -1);
    char block[4096];
    for (auto _ : state) {
        ov_pcm_seek(&vorbis, 0);
        while (ov_read(&vorbis, block, sizeof(block), 0, 2, 1, nullptr) > 0) benchmark::DoNotOptimize(block[0]);
    }
    state.counters["x_realtime"] =
        benchmark::Counter(seconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    ov_clear(&vorbis);
}
BENCHMARK(OggDecode)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(scratch);
    return 0;
}
