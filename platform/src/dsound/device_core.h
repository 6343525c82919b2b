// device_core.h — the state the DirectSound objects share with the mixer:
// the host's audio output, the secondary buffers playing into it, and the
// lock that guards them. Internal to platform/src/dsound. Output is always
// interleaved stereo, signed 16-bit, at the output's rate.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "host/host.h"

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace layer::sound {

constexpr int OutputChannels = 2;
constexpr DWORD OutputFrameBytes = 4;

struct Notification {
    DWORD offset;
    HANDLE event;
};

// One secondary buffer's contents and play state. Guarded by its device's lock.
struct BufferState {
    int serial = 0;
    DWORD flags = 0;
    WAVEFORMATEX format{};
    std::vector<uint8_t> data;
    DWORD frameBytes = 0;
    DWORD playableBytes = 0;  // the size rounded down to whole sample frames
    bool playing = false;
    bool looping = false;
    bool draining = false;  // stopped at its end; the converter still holds its tail
    DWORD cursor = 0;       // next byte handed to the converter: the play cursor
    float gain = 1.0f;
    std::vector<Notification> notifications;
    DWORD lockedStart[2] = {0, 0};  // regions handed out by Lock, until Unlock
    DWORD lockedBytes[2] = {0, 0};
    SDL_AudioStream* converter = nullptr;  // file format → output format
};

// The mix of one DirectSound device, pulled by the host's audio output.
struct DeviceCore final : host::AudioSource {
    std::mutex mutex;
    std::vector<BufferState*> playingInto;  // every secondary buffer of this device
    float masterGain = 1.0f;                // the primary buffer's volume, over the whole mix
    // Declared last so that it closes first: the output stops pulling before
    // the buffer list it reads goes.
    std::unique_ptr<host::AudioOutput> output;

    // Mixes `frames` stereo frames of every playing buffer into `out`,
    // advancing their play cursors, setting the notification events they pass
    // and stopping buffers played once at their end (mixer.cpp). Takes the
    // lock. Returns whether any notification event was set.
    bool render(int16_t* out, uint32_t frames) override;
};

// Under the device's lock: stops a buffer where it stands and sets its stop
// notifications if it was playing.
void stopBuffer(BufferState& buffer);

// Under the device's lock: sets the events of the notifications whose offset
// lies in [from, to), or the stop notifications for DSBPN_OFFSETSTOP.
void notifyPassed(BufferState& buffer, DWORD from, DWORD to);
void notifyStopped(BufferState& buffer);

}  // namespace layer::sound
