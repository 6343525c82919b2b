// sound_buffer.h — the DirectSound buffer object: a secondary buffer (its
// samples mixed into the device's output) or the primary buffer (which only
// records the output format the game asks for: the mix keeps the device's own
// format, as the audio engine of current Windows versions does; its volume is
// the master volume, applied to the whole mix). One object
// answers both IDirectSoundBuffer and, for buffers made with
// DSBCAPS_CTRLPOSITIONNOTIFY, IDirectSoundNotify, with one reference count.
#pragma once

#include "dsound/device_core.h"
#include "win32/com_object.h"

#include <dsound.h>

#include <memory>

namespace layer::sound {

class SoundBuffer final : public ComObject<IDirectSoundBuffer, IDirectSoundNotify> {
public:
    // A secondary buffer of `bytes` bytes in `format` (validated by the caller).
    SoundBuffer(std::shared_ptr<DeviceCore> core, DWORD flags, DWORD bytes, const WAVEFORMATEX& format);
    // The primary buffer.
    SoundBuffer(std::shared_ptr<DeviceCore> core, DWORD flags);
    bool ready() const { return primary_ || state_.converter; }
    int serial() const { return state_.serial; }

    HRESULT GetStatus(LPDWORD status) override;
    HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* audio1, LPDWORD audioBytes1, LPVOID* audio2, LPDWORD audioBytes2,
                 DWORD flags) override;
    HRESULT Play(DWORD reserved1, DWORD priority, DWORD flags) override;
    HRESULT SetCurrentPosition(DWORD newPosition) override;
    HRESULT SetFormat(LPCWAVEFORMATEX format) override;
    HRESULT SetVolume(LONG volume) override;
    HRESULT Stop() override;
    HRESULT Unlock(LPVOID audio1, DWORD audioBytes1, LPVOID audio2, DWORD audioBytes2) override;

    HRESULT SetNotificationPositions(DWORD count, LPCDSBPOSITIONNOTIFY positions) override;

private:
    ~SoundBuffer() override;
    void* findInterface(REFIID riid) override;
    void released(ULONG left) override;

    std::shared_ptr<DeviceCore> core_;
    bool primary_;
    BufferState state_;
    WAVEFORMATEX primaryFormat_{};
};

// Whether a wave format is one a buffer can hold: PCM, 1 or 2 channels, 8 or
// 16 bits, a consistent block align, a rate DirectSound accepts.
bool playableFormat(const WAVEFORMATEX& format);

}  // namespace layer::sound
