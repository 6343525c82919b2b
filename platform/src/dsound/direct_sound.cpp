// direct_sound.cpp — DirectSoundCreate8 and the IDirectSound8 object:
// SetCooperativeLevel and CreateSoundBuffer for the primary buffer and for
// secondary PCM buffers. Also ole32's CoInitialize, which DirectSound needs
// first on Windows; here it only notes that a thread has called it, so that
// the thread's first call gives S_OK and every later one S_FALSE.
#include "dsound/sound_buffer.h"

#include "host/host.h"
#include "win32/com_object.h"

const IID IID_IDirectSoundNotify = {0xb0210783, 0x89cd, 0x11d0, {0xaf, 0x08, 0x00, 0xa0, 0xc9, 0x25, 0xcd, 0x16}};

namespace layer::sound {

namespace {

class DirectSound final : public ComObject<IDirectSound8> {
public:
    explicit DirectSound(std::shared_ptr<DeviceCore> core) : core_(std::move(core)) {}

    HRESULT SetCooperativeLevel(HWND /*window*/, DWORD level) override
    {
        if (level != DSSCL_NORMAL && level != DSSCL_PRIORITY) return DSERR_INVALIDPARAM;
        return DS_OK;
    }

    HRESULT CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer, LPUNKNOWN outer) override
    {
        if (!desc || !buffer) return DSERR_INVALIDPARAM;
        *buffer = nullptr;
        if (outer) return DSERR_NOAGGREGATION;
        if (desc->dwSize != sizeof(DSBUFFERDESC)) return DSERR_INVALIDPARAM;
        if (desc->dwFlags & DSBCAPS_PRIMARYBUFFER) return createPrimary(*desc, buffer);
        if (!desc->lpwfxFormat || desc->dwBufferBytes < DSBSIZE_MIN || desc->dwBufferBytes > DSBSIZE_MAX)
            return DSERR_INVALIDPARAM;
        if (!playableFormat(*desc->lpwfxFormat)) return DSERR_BADFORMAT;
        auto* made = new SoundBuffer(core_, desc->dwFlags, desc->dwBufferBytes, *desc->lpwfxFormat);
        if (!made->ready()) {
            OutputDebugStringA("DirectSound: no converter for this buffer's format\n");
            made->Release();
            return DSERR_GENERIC;
        }
        host::current().soundCall("CreateSoundBuffer", made->serial(), static_cast<long>(desc->dwBufferBytes));
        *buffer = made;
        return DS_OK;
    }

private:
    ~DirectSound() override = default;

    void released(ULONG left) override
    {
        if (left == 0) host::current().recordCall("IDirectSound8::Release");
    }

    HRESULT createPrimary(const DSBUFFERDESC& desc, LPDIRECTSOUNDBUFFER* buffer)
    {
        if (desc.dwBufferBytes != 0 || desc.lpwfxFormat || (desc.dwFlags & DSBCAPS_CTRLPOSITIONNOTIFY))
            return DSERR_INVALIDPARAM;
        auto* made = new SoundBuffer(core_, desc.dwFlags);
        host::current().soundCall("CreateSoundBuffer", made->serial(), 0);
        *buffer = made;
        return DS_OK;
    }

    std::shared_ptr<DeviceCore> core_;
};

// The host's output for a new device; null when the host has none.
std::shared_ptr<DeviceCore> openOutput()
{
    auto core = std::make_shared<DeviceCore>();
    core->output = host::current().openAudio(core);
    if (!core->output) return nullptr;
    return core;
}

}  // namespace

}  // namespace layer::sound

HRESULT DirectSoundCreate8(LPCGUID device, LPDIRECTSOUND8* directSound, LPUNKNOWN outer)
{
    if (!directSound) return DSERR_INVALIDPARAM;
    *directSound = nullptr;
    if (outer) return DSERR_NOAGGREGATION;
    if (device) {
        OutputDebugStringA("DirectSoundCreate8: only the default playback device is supported\n");
        return DSERR_NODRIVER;
    }
    auto core = layer::sound::openOutput();
    if (!core) return DSERR_NODRIVER;
    layer::host::current().recordCall("DirectSoundCreate8");
    *directSound = new layer::sound::DirectSound(std::move(core));
    return DS_OK;
}

HRESULT CoInitialize(LPVOID /*reserved*/)
{
    thread_local bool initialised = false;
    if (initialised) return S_FALSE;
    initialised = true;
    return S_OK;
}
