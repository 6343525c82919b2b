// Music.cpp — the current track of the game: playMusic, stopMusic,
// setMusicVolume, and stopAllMusic for shut-down, with the volume curve they
// share.
#include "framework/sound/MusicStream.h"

#include "framework/sound/SoundCatalogue.h"
#include "framework/sound/SoundListener.h"
#include "framework/sound/SoundSystem.h"

MusicStream* currentMusic = nullptr;
bool musicPlaying = false;
std::atomic<bool> stopAllStreams{false};
std::atomic<LONG> liveStreams{0};

namespace {

constexpr float FullVolumeLevel = 220.0f;
constexpr DWORD ShutdownPollMs = 1;

}  // namespace

LONG musicVolumeCurve(LONG level)
{
    const LONG quiet = 255 - level;
    const LONG c = quiet * quiet * 100 / 65025;
    return -(c * c);
}

void playMusic(int id)
{
    if (!soundSystem || !soundSystem->device) currentMusic = nullptr;
    else currentMusic = MusicStream::create(soundSystem->device, musicFile(id));
    musicPlaying = true;
    if (soundListener) soundListener->musicStarted(id);
}

void stopMusic()
{
    if (!musicPlaying) return;
    if (soundListener) soundListener->musicStopping();
    if (currentMusic && currentMusic->buffer && currentMusic->file) currentMusic->buffer->Stop();
    musicPlaying = false;
}

void setMusicVolume(float x)
{
    // Once stopped, the current track belongs to its thread, which may have
    // freed it already.
    if (!musicPlaying || !currentMusic || !currentMusic->buffer) return;
    const float product = x * FullVolumeLevel;
    LONG level = 0;
    if (product >= 255.0f) level = 255;
    else if (product > 0.0f) level = static_cast<LONG>(product);
    currentMusic->volume = level;
    currentMusic->buffer->SetVolume(musicVolumeCurve(level));
}

void stopAllMusic()
{
    stopAllStreams = true;
    while (liveStreams.load() != 0) Sleep(ShutdownPollMs);
}
