// device_core.h — the state the DirectSound objects share with the mixer:
// one output (an SDL audio device, or the virtual device of test mode), the
// secondary buffers playing into it, and the lock that guards them. Internal
// to platform/src/dsound. Output is always interleaved stereo, signed 16-bit,
// at the output's rate.
#pragma once

#include <windows.h>
#include <mmsystem.h>

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
    bool draining = false;    // stopped at its end; the converter still holds its tail
    DWORD cursor = 0;         // next byte handed to the converter: the play cursor
    float gain = 1.0f;
    std::vector<Notification> notifications;
    DWORD lockedStart[2] = {0, 0};  // regions handed out by Lock, until Unlock
    DWORD lockedBytes[2] = {0, 0};
    SDL_AudioStream* converter = nullptr;  // file format → output format
};

struct DeviceCore {
    std::mutex mutex;
    std::vector<BufferState*> playingInto;  // every secondary buffer of this device
    int rate = 44100;
    float masterGain = 1.0f;                // the primary buffer's volume, over the whole mix
    SDL_AudioDeviceID sdlDevice = 0;        // 0 for the virtual device

    ~DeviceCore();
};

// Opens the output: the virtual device in test mode (when enabled there), else
// SDL's default playback device. Null when none can be opened.
std::shared_ptr<DeviceCore> openOutput();

// Mixes `frames` stereo frames of every playing buffer into `out`, advancing
// their play cursors, setting the notification events they pass and stopping
// buffers played once at their end. Takes the device's lock. Returns whether
// any notification event was set.
bool renderFrames(DeviceCore& core, int16_t* out, uint32_t frames);

// Under the device's lock: stops a buffer where it stands and sets its stop
// notifications if it was playing.
void stopBuffer(BufferState& buffer);

// Under the device's lock: sets the events of the notifications whose offset
// lies in [from, to), or the stop notifications for DSBPN_OFFSETSTOP.
void notifyPassed(BufferState& buffer, DWORD from, DWORD to);
void notifyStopped(BufferState& buffer);

}  // namespace layer::sound
