// MusicStream.h — streamed background music: one Ogg Vorbis or WAV track
// played through a two-second looping buffer of two one-second halves, which
// a thread of the stream's own refills as DirectSound notifies that a half
// has been played. A track loops from its start until it is stopped; the
// stream's thread then releases it. The main thread starts and stops the
// current track; the two sides share only the stop flag, the count of live
// streams and the Stop call on the buffer.
#pragma once

#include <windows.h>
#include <dsound.h>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <atomic>
#include <cstdio>

// What the main thread wants of a stream's thread, besides the buffer's own
// notifications: a stop seen while Pausing is a pause (the thread answers
// Paused and keeps the stream); Ending ends the stream at the thread's next
// wake-up, stopped or not.
enum MusicHold : int { MUSIC_RUNNING, MUSIC_PAUSING, MUSIC_PAUSED, MUSIC_ENDING };

constexpr BYTE MUSIC_KIND_WAV = 0;
constexpr BYTE MUSIC_KIND_OGG = 1;

class MusicStream {
public:
    // Opens the track at `path` (".wav" or ".ogg") on `device`, fills the
    // first half, starts the stream's thread and plays. Null when the track
    // cannot start.
    static MusicStream* create(LPDIRECTSOUND8 device, const char* path);

    // Refill one half (0 or 1) of the buffer from the track, wrapping to its
    // start at its end.
    void fillFromOgg(int half);
    void fillFromWav(int half);

    DWORD halfFrames = 0;
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    DSBPOSITIONNOTIFY notifyPositions[3] = {};
    HANDLE thread = nullptr;
    DWORD threadId = 0;
    FILE* file = nullptr;
    OggVorbis_File vorbis = {};
    DWORD dataOffset = 0;
    LONG volume = 0;
    BYTE kind = MUSIC_KIND_WAV;
    HANDLE events[3] = {};
    LPDIRECTSOUNDNOTIFY notify = nullptr;
    std::atomic<int> hold{MUSIC_RUNNING};

private:
    MusicStream();
    void openWav(LPDIRECTSOUND8 device, const char* path);
    void openOgg(LPDIRECTSOUND8 device);
    void createBuffer(LPDIRECTSOUND8 device, DWORD rate);
    void decodeInto(BYTE* region, DWORD bytes);
    void readWavInto(BYTE* region, DWORD bytes);
    void fillHalf(int half, void (MusicStream::*write)(BYTE*, DWORD));
};

// The stream's thread: refills on notifications, releases the stream when it
// stops or at shut-down. `parameter` is the MusicStream.
DWORD WINAPI streamThread(LPVOID parameter);
// Closes the track, releases the buffer, frees the stream and counts it out.
void destroyStream(MusicStream* stream);

extern MusicStream* currentMusic;         // main thread only
extern bool musicPlaying;                 // main thread only
extern std::atomic<bool> stopAllStreams;  // set once at shut-down
extern std::atomic<LONG> liveStreams;     // MusicStream objects in existence

// Starts music id `id` of the music table as the current track.
void playMusic(int id);
// Stops the current track, if one plays; its thread then releases it.
void stopMusic();
// Loudness of the current track: 1.0 is level 220 of 0–255.
void setMusicVolume(float x);
// A paused round: the current track stops where it is and its thread keeps
// it; resumeMusic plays it on from there.
void pauseMusic();
void resumeMusic();
// Shut-down: ends every stream thread and waits until none is left.
void stopAllMusic();

// The buffer volume, in hundredths of a decibel, for a level of 0–255.
LONG musicVolumeCurve(LONG level);
