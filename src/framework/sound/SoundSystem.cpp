// SoundSystem.cpp — the effect side of the sound system: opening DirectSound
// with a 22050 Hz mono 16-bit primary format, loading effects into secondary
// buffers in their files' own formats, and playing them from the start.
#include "framework/sound/SoundSystem.h"

#include "framework/Destroy.h"
#include "framework/core/MainWindow.h"
#include "framework/sound/SoundListener.h"
#include "framework/sound/WaveFile.h"

#include <cstring>

SoundSystem* soundSystem = nullptr;
SoundListener* soundListener = nullptr;

namespace {

bool validSlot(int id) { return id >= 0 && id < SOUND_EFFECT_SLOTS; }

// A SoundEffect only exists with its buffer, so the two go together.
void clearSlot(SoundEffect*& effect)
{
    if (effect) release(effect->buffer);
    destroy(effect);
}

void setPrimaryFormat(LPDIRECTSOUNDBUFFER primary)
{
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 22050;
    format.nAvgBytesPerSec = 44100;
    format.nBlockAlign = 2;
    format.wBitsPerSample = 16;
    primary->SetFormat(&format);
}

// A buffer holding the whole wave, or null. Takes care of freeing wave.data.
LPDIRECTSOUNDBUFFER createEffectBuffer(LPDIRECTSOUND8 device, WaveData& wave)
{
    DSBUFFERDESC desc = {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    desc.dwBufferBytes = wave.size;
    desc.lpwfxFormat = &wave.format;
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    if (FAILED(device->CreateSoundBuffer(&desc, &buffer, nullptr))) {
        GlobalFree(wave.data);
        return nullptr;
    }
    LPVOID first = nullptr;
    LPVOID second = nullptr;
    DWORD firstBytes = 0;
    DWORD secondBytes = 0;
    if (FAILED(buffer->Lock(0, wave.size, &first, &firstBytes, &second, &secondBytes, 0))) {
        GlobalFree(wave.data);
        buffer->Release();
        return nullptr;
    }
    std::memcpy(first, wave.data, firstBytes);
    if (second) std::memcpy(second, wave.data + firstBytes, secondBytes);
    GlobalFree(wave.data);
    buffer->Unlock(first, firstBytes, second, secondBytes);
    return buffer;
}

}  // namespace

SoundSystem::SoundSystem()
{
    window = MainWindow;
    CoInitialize(nullptr);
    if (FAILED(DirectSoundCreate8(nullptr, &device, nullptr))) {
        device = nullptr;
        return;
    }
    device->SetCooperativeLevel(window, DSSCL_PRIORITY);
    DSBUFFERDESC desc = {};
    desc.dwSize = sizeof(desc);
    // The volume control carries the player's master volume (setMasterVolume).
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRL3D | DSBCAPS_CTRLVOLUME;
    if (FAILED(device->CreateSoundBuffer(&desc, &primary, nullptr))) primary = nullptr;
    if (primary) setPrimaryFormat(primary);
}

SoundSystem::~SoundSystem()
{
    for (SoundEffect*& effect : effects) clearSlot(effect);
    release(primary);
    release(device);
}

void SoundSystem::setSoundEffect(int id, const char* path)
{
    if (!device || !validSlot(id)) return;
    clearSlot(effects[id]);
    if (!path) return;
    WaveData wave;
    if (!loadWave(path, wave)) return;
    LPDIRECTSOUNDBUFFER buffer = createEffectBuffer(device, wave);
    if (buffer) effects[id] = new SoundEffect{buffer};
}

void playSoundEffect(int id)
{
    if (soundListener) soundListener->effectRequested(id);
    if (!soundSystem || !soundSystem->device || !validSlot(id) || !soundSystem->effects[id]) return;
    LPDIRECTSOUNDBUFFER buffer = soundSystem->effects[id]->buffer;
    buffer->Stop();
    buffer->SetCurrentPosition(0);
    buffer->Play(0, 0, 0);
}

void pauseSoundEffects()
{
    if (!soundSystem || !soundSystem->device) return;
    for (SoundEffect* effect : soundSystem->effects) {
        if (!effect) continue;
        DWORD status = 0;
        effect->paused = SUCCEEDED(effect->buffer->GetStatus(&status)) && (status & DSBSTATUS_PLAYING);
        // Stop keeps the play position: Play goes on from there.
        if (effect->paused) effect->buffer->Stop();
    }
}

void resumeSoundEffects()
{
    if (!soundSystem || !soundSystem->device) return;
    for (SoundEffect* effect : soundSystem->effects) {
        if (!effect || !effect->paused) continue;
        effect->paused = false;
        effect->buffer->Play(0, 0, 0);
    }
}

void setMasterVolume(LONG volume)
{
    if (soundSystem && soundSystem->primary) soundSystem->primary->SetVolume(volume);
}
