// Music.cpp — the current track of the game: playMusic, stopMusic,
// setMusicVolume, pauseMusic and resumeMusic, and stopAllMusic for shut-down,
// with the volume curve they share. Main thread only.
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
// Each thread sees the shut-down flag within its 100 ms wake-up; one stuck
// past this (in a read of its file, say) is left behind rather than the exit.
constexpr DWORD ShutdownLimitMs = 1000;

bool currentTrackPlays() { return musicPlaying && currentMusic && currentMusic->buffer && currentMusic->file; }

// From here on the main thread never touches the stream: its thread may free
// it at any moment.
void letGoOfCurrentTrack()
{
    if (musicPlaying && currentMusic) currentMusic->letGo = true;
    currentMusic = nullptr;
}

}  // namespace

LONG musicVolumeCurve(LONG level)
{
    const LONG quiet = 255 - level;
    const LONG c = quiet * quiet * 100 / 65025;
    return -(c * c);
}

// The track before, if it was not stopped, plays on: its thread keeps it
// until it stops by itself or shut-down comes.
void playMusic(int id)
{
    letGoOfCurrentTrack();
    if (soundSystem && soundSystem->device) currentMusic = MusicStream::create(soundSystem->device, musicFile(id));
    musicPlaying = true;
    if (soundListener) soundListener->musicStarted(id);
}

void stopMusic()
{
    if (!musicPlaying) return;
    if (soundListener) soundListener->musicStopping();
    if (currentTrackPlays()) {
        // A paused or ended track is stopped already; a resumed one plays.
        const int was = currentMusic->hold.exchange(MUSIC_ENDED);
        if (was == MUSIC_RUNNING || was == MUSIC_RESUMING) currentMusic->buffer->Stop();
    }
    letGoOfCurrentTrack();
    musicPlaying = false;
}

void pauseMusic()
{
    if (!currentTrackPlays()) return;
    int seen = currentMusic->hold.load();
    while (seen == MUSIC_RUNNING || seen == MUSIC_RESUMING) {
        if (currentMusic->hold.compare_exchange_weak(seen, MUSIC_PAUSING)) {
            currentMusic->buffer->Stop();
            return;
        }
    }
}

// Never waits for the stream's thread: a resume before the thread has seen
// the pause's stop tells it to take that stop for nothing. The buffer plays
// before the state says so, so that the thread never sees it Running and
// stopped; should the thread have ended the track meanwhile, it is stopped
// again.
void resumeMusic()
{
    if (!currentTrackPlays()) return;
    int seen = currentMusic->hold.load();
    bool played = false;
    while (seen == MUSIC_PAUSED || seen == MUSIC_PAUSING) {
        currentMusic->buffer->Play(0, 0, DSBPLAY_LOOPING);
        played = true;
        if (currentMusic->hold.compare_exchange_strong(seen, seen == MUSIC_PAUSED ? MUSIC_RUNNING : MUSIC_RESUMING))
            return;
    }
    if (played && seen == MUSIC_ENDED) currentMusic->buffer->Stop();
}

void setMusicVolume(float x)
{
    if (!musicPlaying || !currentMusic || !currentMusic->buffer) return;
    const float product = x * FullVolumeLevel;
    LONG level = 0;
    if (product >= 255.0f) level = 255;
    else if (product > 0.0f) level = static_cast<LONG>(product);
    currentMusic->volume = level;
    currentMusic->buffer->SetVolume(musicVolumeCurve(level));
}

bool stopAllMusic()
{
    currentMusic = nullptr;
    musicPlaying = false;
    stopAllStreams = true;
    for (DWORD waited = 0; liveStreams.load() != 0 && waited < ShutdownLimitMs; ++waited) Sleep(ShutdownPollMs);
    if (liveStreams.load() == 0) return true;
    OutputDebugStringA("Vantorel: a music thread did not end in time; shut-down goes on without it\n");
    return false;
}
