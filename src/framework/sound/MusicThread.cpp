// MusicThread.cpp — the stream's own thread: waits for the buffer's
// notifications (100 ms at most, so the shut-down flag and a let-go are seen
// promptly), refills the half that has just played, and answers a stop: the
// one of a pause, or one nobody asked for, which ends the stream. The stream
// is released once the main thread has let go of it and it plays no more, or
// at shut-down; never while the main thread may still touch it.
#include "framework/sound/MusicStream.h"

namespace {

constexpr DWORD WakeIntervalMs = 100;

// The buffer has stopped: the stop a pause asked for, or the end of the
// stream when it was playing (the device stopped it by itself).
void answerStop(MusicStream* stream)
{
    int seen = stream->hold.load();
    for (;;) {
        int next = seen;
        if (seen == MUSIC_PAUSING) next = MUSIC_PAUSED;
        else if (seen == MUSIC_RESUMING) next = MUSIC_RUNNING;  // the stop of the pause before
        else if (seen == MUSIC_RUNNING) next = MUSIC_ENDED;
        else return;
        if (stream->hold.compare_exchange_weak(seen, next)) break;
    }
    if (seen == MUSIC_RUNNING)
        OutputDebugStringA("Vantorel: the music stopped by itself; it stays silent until the next track\n");
}

// A wait that failed would fail again: the track ends, silent, and the
// thread only looks for the let-go from then on.
void answerFailedWait(MusicStream* stream)
{
    if (stream->hold.exchange(MUSIC_ENDED) != MUSIC_ENDED) {
        stream->buffer->Stop();
        OutputDebugStringA("Vantorel: a music thread's wait failed; its track ends\n");
    }
    Sleep(WakeIntervalMs);
}

// Let go by the main thread, and nothing will play the buffer again.
bool released(const MusicStream* stream)
{
    if (!stream->letGo) return false;
    const int hold = stream->hold.load();
    return hold != MUSIC_RUNNING && hold != MUSIC_RESUMING;
}

}  // namespace

DWORD WINAPI streamThread(LPVOID parameter)
{
    auto* stream = static_cast<MusicStream*>(parameter);
    while (!stopAllStreams && !released(stream)) {
        const DWORD woken = WaitForMultipleObjects(3, stream->events, FALSE, WakeIntervalMs);
        if (stopAllStreams) break;
        if (woken == WAIT_OBJECT_0) {
            // The play cursor passed the start: half 1 has just been played.
            if (stream->kind == MUSIC_KIND_OGG) stream->fillFromOgg(1);
            else stream->fillFromWav(1);
        } else if (woken == WAIT_OBJECT_0 + 1) {
            if (stream->kind == MUSIC_KIND_OGG) stream->fillFromOgg(0);
            else stream->fillFromWav(0);
        } else if (woken == WAIT_OBJECT_0 + 2) {
            answerStop(stream);
        } else if (woken != WAIT_TIMEOUT) {
            answerFailedWait(stream);
        }
    }
    if (stream->buffer && stream->file) stream->buffer->Stop();
    destroyStream(stream);
    ExitThread(1);
}
