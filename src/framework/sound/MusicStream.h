// MusicStream.h — streamed background music: one Ogg Vorbis or WAV track
// played through a two-second looping buffer of two one-second halves, which
// a thread of the stream's own refills as DirectSound notifies that a half
// has been played. A track loops from its start until it is stopped.
//
// Who owns a stream: the main thread holds the current track until it lets
// go of it (stopMusic, the next playMusic, shut-down); the stream's thread
// destroys it, and only once it has been let go and plays no more, or at
// shut-down. A stream that stops by itself (the device stopped its buffer, a
// wait failed) is marked ended and stays silent, still held, until the main
// thread lets go. The two sides share the play state `hold`, the `letGo`
// flag, `stopAllStreams`, the count of live streams, and the buffer itself,
// whose Play, Stop and SetVolume calls the main thread makes while the thread
// Locks and refills it (DirectSound serialises them). No lock is taken.
#pragma once

#include <windows.h>
#include <dsound.h>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <atomic>
#include <cstdio>

// The play state of a stream, as the two threads agree on it. A stop that
// the stream's thread sees while Running is one nobody asked for: the stream
// has ended by itself. A pause is Pausing until the thread has seen its stop
// (then Paused); a resume before that is Resuming, and the thread takes the
// pause's stop, when it comes, for nothing. Ended never plays again.
enum MusicHold : int { MUSIC_RUNNING, MUSIC_PAUSING, MUSIC_PAUSED, MUSIC_RESUMING, MUSIC_ENDED };

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
    DWORD frameBytes = 4;  // one sample frame of the buffer: 4 stereo, 2 mono
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
    // Set once by the main thread, which never touches the stream again.
    std::atomic<bool> letGo{false};

private:
    MusicStream();
    void openWav(LPDIRECTSOUND8 device, const char* path);
    void openOgg(LPDIRECTSOUND8 device);
    void createBuffer(LPDIRECTSOUND8 device, DWORD rate, WORD channels);
    void decodeInto(BYTE* region, DWORD bytes);
    void readWavInto(BYTE* region, DWORD bytes);
    void fillHalf(int half, void (MusicStream::*write)(BYTE*, DWORD));
};

// The stream's thread: refills on notifications, answers the stops, and
// releases the stream once it is let go and silent, or at shut-down.
// `parameter` is the MusicStream.
DWORD WINAPI streamThread(LPVOID parameter);
// Closes the track, releases the buffer, frees the stream and counts it out.
void destroyStream(MusicStream* stream);

extern MusicStream* currentMusic;         // main thread only; null once let go
extern bool musicPlaying;                 // main thread only
extern std::atomic<bool> stopAllStreams;  // set once at shut-down
extern std::atomic<LONG> liveStreams;     // MusicStream objects in existence

// Starts music id `id` of the music table as the current track, letting go
// of the one before (which plays on until it stops, if it was not stopped).
void playMusic(int id);
// Stops the current track, if one plays, and lets go of it: its thread then
// releases it.
void stopMusic();
// Loudness of the current track: 1.0 is level 220 of 0–255.
void setMusicVolume(float x);
// A paused round: the current track stops where it is and its thread keeps
// it; resumeMusic plays it on from there, without waiting for the thread. A
// track that ended by itself stays silent.
void pauseMusic();
void resumeMusic();
// Shut-down: lets go of the current track, ends every stream thread and
// waits until none is left, for a second at most. False when a thread did
// not end in that time (its stream then still uses the sound system).
bool stopAllMusic();

// The buffer volume, in hundredths of a decibel, for a level of 0–255.
LONG musicVolumeCurve(LONG level);
