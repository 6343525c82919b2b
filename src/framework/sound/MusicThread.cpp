// MusicThread.cpp — the stream's own thread: waits for the buffer's
// notifications (100 ms at most, so the shut-down flag is seen promptly),
// refills the half that has just played, and on a stop, a shut-down or a
// failed wait releases the stream and ends. A stop that a pause asked for is
// answered (Paused) and the stream kept.
#include "framework/sound/MusicStream.h"

namespace {

constexpr DWORD WakeIntervalMs = 100;

}  // namespace

DWORD WINAPI streamThread(LPVOID parameter)
{
    auto* stream = static_cast<MusicStream*>(parameter);
    for (;;) {
        DWORD woken = WaitForMultipleObjects(3, stream->events, FALSE, WakeIntervalMs);
        if (stopAllStreams || stream->hold == MUSIC_ENDING) woken = WAIT_OBJECT_0 + 2;
        if (woken == WAIT_OBJECT_0) {
            // The play cursor passed the start: half 1 has just been played.
            if (stream->kind == MUSIC_KIND_OGG) stream->fillFromOgg(1);
            else stream->fillFromWav(1);
            continue;
        }
        if (woken == WAIT_OBJECT_0 + 1) {
            if (stream->kind == MUSIC_KIND_OGG) stream->fillFromOgg(0);
            else stream->fillFromWav(0);
            continue;
        }
        if (woken == WAIT_TIMEOUT) continue;
        int pausing = MUSIC_PAUSING;
        if (woken == WAIT_OBJECT_0 + 2 && !stopAllStreams &&
            stream->hold.compare_exchange_strong(pausing, MUSIC_PAUSED))
            continue;
        break;
    }
    if (stream->buffer && stream->file) stream->buffer->Stop();
    destroyStream(stream);
    ExitThread(1);
}
