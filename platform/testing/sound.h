// sound.h — test mode of the layer's sound: a virtual audio device that the
// test renders at its own pace, and a log of the sound calls. With test mode
// on and the virtual device off, DirectSoundCreate8 fails as on a machine
// without a sound card.
#pragma once

#include <dsound.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testmode {

// The virtual device's output: interleaved stereo, signed 16-bit, at this rate.
constexpr uint32_t AudioRate = 44100;

// Whether DirectSoundCreate8 opens the virtual device (off after enable()).
void enableAudioDevice(bool on);

// Mixes the next `frames` frames of every playing buffer of the open virtual
// device (silence when none is open). Renders in slices; after a slice that
// set notification events it waits until the game's threads have reacted,
// as a real device's steady pace would let them.
std::vector<int16_t> renderAudio(uint32_t frames);

// Waits until `holds` is true, looking again each time a thread made by
// CreateThread is signalled, waits or ends (a stream's thread refilling,
// answering a stop, releasing its stream); false when it did not hold within
// `timeoutMs`, a bound for a failure only. `holds` must not wait or take a
// lock the game's threads hold: read atomics.
bool waitForThreads(const std::function<bool()>& holds, uint32_t timeoutMs = 10000);

// Calls on DirectSound buffers, in the order they happened on any thread:
// "CreateSoundBuffer" (value: size in bytes), "Play" (flags), "Stop",
// "SetCurrentPosition" (offset), "SetVolume" (hundredths of a decibel),
// "SetFormat" (sample rate), "Lock" (offset), "Unlock", "Release",
// "Notify" (offset passed, -1 for a stop notification).
struct SoundCall {
    std::string call;
    int buffer;  // the buffer's number, see soundBufferId
    long value;
};
std::vector<SoundCall> soundCalls();
void clearSoundCalls();

// The number the log gives this buffer; 0 for none.
int soundBufferId(IDirectSoundBuffer* buffer);

}  // namespace testmode
