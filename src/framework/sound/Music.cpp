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
// A stream's thread answers a pause at once unless it is stuck; past this the
// track is given up rather than the game held.
constexpr DWORD PauseAnswerLimitMs = 1000;

bool currentTrackPlays() { return musicPlaying && currentMusic && currentMusic->buffer && currentMusic->file; }

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
    if (currentTrackPlays()) {
        // A paused track is stopped already: its thread ends it on waking.
        if (currentMusic->hold == MUSIC_RUNNING) currentMusic->buffer->Stop();
        else currentMusic->hold = MUSIC_ENDING;
    }
    musicPlaying = false;
}

void pauseMusic()
{
    if (!currentTrackPlays() || currentMusic->hold != MUSIC_RUNNING) return;
    currentMusic->hold = MUSIC_PAUSING;
    currentMusic->buffer->Stop();
}

// The stop of the pause must have reached the thread before the track plays
// again, or the thread would take it for the end of the stream.
void resumeMusic()
{
    if (!currentTrackPlays() || currentMusic->hold == MUSIC_RUNNING) return;
    for (DWORD waited = 0; currentMusic->hold == MUSIC_PAUSING && waited < PauseAnswerLimitMs; ++waited) Sleep(1);
    int paused = MUSIC_PAUSED;
    if (!currentMusic->hold.compare_exchange_strong(paused, MUSIC_RUNNING)) {
        OutputDebugStringA("Vantorel: the music thread did not answer the pause; the track is given up\n");
        currentMusic->hold = MUSIC_ENDING;
        musicPlaying = false;
        return;
    }
    currentMusic->buffer->Play(0, 0, DSBPLAY_LOOPING);
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
