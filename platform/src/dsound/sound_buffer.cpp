// sound_buffer.cpp — IDirectSoundBuffer and IDirectSoundNotify. Every call
// that touches the play state takes the device's lock, so the game's threads
// (a stream thread filling its buffer, the main thread stopping it) and the
// mixer never see each other half-way. Frequency and pan controls are
// accepted at creation; the game never changes either.
#include "dsound/sound_buffer.h"

#include "host/host.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace layer::sound {

namespace {

std::atomic<int> nextSerial{1};

float gainFor(LONG volume)
{
    if (volume <= DSBVOLUME_MIN) return 0.0f;
    return static_cast<float>(std::pow(10.0, volume / 2000.0));
}

SDL_AudioFormat sdlFormat(const WAVEFORMATEX& format) { return format.wBitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB; }

}  // namespace

bool playableFormat(const WAVEFORMATEX& format)
{
    return format.wFormatTag == WAVE_FORMAT_PCM && (format.nChannels == 1 || format.nChannels == 2) &&
           (format.wBitsPerSample == 8 || format.wBitsPerSample == 16) &&
           format.nBlockAlign == format.nChannels * format.wBitsPerSample / 8 &&
           format.nSamplesPerSec >= DSBFREQUENCY_MIN && format.nSamplesPerSec <= DSBFREQUENCY_MAX;
}

SoundBuffer::SoundBuffer(std::shared_ptr<DeviceCore> core, DWORD flags, DWORD bytes, const WAVEFORMATEX& format)
    : core_(std::move(core)), primary_(false)
{
    state_.serial = nextSerial++;
    state_.flags = flags;
    state_.format = format;
    state_.format.cbSize = 0;
    state_.data.assign(bytes, format.wBitsPerSample == 8 ? 0x80 : 0x00);
    state_.frameBytes = format.nBlockAlign;
    state_.playableBytes = bytes - bytes % format.nBlockAlign;
    state_.converter =
        SDL_NewAudioStream(sdlFormat(format), static_cast<Uint8>(format.nChannels),
                           static_cast<int>(format.nSamplesPerSec), AUDIO_S16SYS, OutputChannels, core_->rate);
    if (!state_.converter) return;
    std::lock_guard<std::mutex> guard(core_->mutex);
    core_->playingInto.push_back(&state_);
}

SoundBuffer::SoundBuffer(std::shared_ptr<DeviceCore> core, DWORD flags) : core_(std::move(core)), primary_(true)
{
    state_.serial = nextSerial++;
    state_.flags = flags;
}

SoundBuffer::~SoundBuffer()
{
    if (!state_.converter) return;
    {
        std::lock_guard<std::mutex> guard(core_->mutex);
        auto& list = core_->playingInto;
        list.erase(std::remove(list.begin(), list.end(), &state_), list.end());
    }
    SDL_FreeAudioStream(state_.converter);
}

void* SoundBuffer::findInterface(REFIID riid)
{
    if (riid == IID_IDirectSoundNotify && !primary_ && (state_.flags & DSBCAPS_CTRLPOSITIONNOTIFY))
        return static_cast<IDirectSoundNotify*>(this);
    return nullptr;
}

void SoundBuffer::released(ULONG left)
{
    if (left == 0) host::current().soundCall("Release", state_.serial, 0);
}

HRESULT SoundBuffer::GetStatus(LPDWORD status)
{
    if (!status) return DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> guard(core_->mutex);
    *status = primary_ || !state_.playing ? 0 : DSBSTATUS_PLAYING | (state_.looping ? DSBSTATUS_LOOPING : 0);
    return DS_OK;
}

HRESULT SoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* audio1, LPDWORD audioBytes1, LPVOID* audio2,
                          LPDWORD audioBytes2, DWORD flags)
{
    if (primary_) return DSERR_INVALIDCALL;
    if (!audio1 || !audioBytes1 || (flags & DSBLOCK_FROMWRITECURSOR)) return DSERR_INVALIDPARAM;
    const auto size = static_cast<DWORD>(state_.data.size());
    if (flags & DSBLOCK_ENTIREBUFFER) {
        offset = 0;
        bytes = size;
    }
    if (offset >= size || bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;
    host::current().soundCall("Lock", state_.serial, static_cast<long>(offset));
    std::lock_guard<std::mutex> guard(core_->mutex);
    const DWORD first = std::min(bytes, size - offset);
    const DWORD second = audio2 ? bytes - first : 0;
    state_.lockedStart[0] = offset;
    state_.lockedBytes[0] = first;
    state_.lockedStart[1] = 0;
    state_.lockedBytes[1] = second;
    *audio1 = state_.data.data() + offset;
    *audioBytes1 = first;
    if (audio2) *audio2 = second ? state_.data.data() : nullptr;
    if (audioBytes2) *audioBytes2 = second;
    return DS_OK;
}

HRESULT SoundBuffer::Unlock(LPVOID audio1, DWORD /*audioBytes1*/, LPVOID /*audio2*/, DWORD /*audioBytes2*/)
{
    if (primary_) return DSERR_INVALIDCALL;
    if (!audio1) return DSERR_INVALIDPARAM;
    host::current().soundCall("Unlock", state_.serial, 0);
    std::lock_guard<std::mutex> guard(core_->mutex);
    state_.lockedBytes[0] = 0;
    state_.lockedBytes[1] = 0;
    return DS_OK;
}

HRESULT SoundBuffer::Play(DWORD /*reserved1*/, DWORD /*priority*/, DWORD flags)
{
    if (primary_) return DS_OK;
    host::current().soundCall("Play", state_.serial, static_cast<long>(flags));
    std::lock_guard<std::mutex> guard(core_->mutex);
    state_.looping = (flags & DSBPLAY_LOOPING) != 0;
    state_.playing = true;
    state_.draining = false;
    return DS_OK;
}

HRESULT SoundBuffer::SetCurrentPosition(DWORD newPosition)
{
    if (primary_) return DSERR_INVALIDCALL;
    if (newPosition >= state_.data.size()) return DSERR_INVALIDPARAM;
    host::current().soundCall("SetCurrentPosition", state_.serial, static_cast<long>(newPosition));
    std::lock_guard<std::mutex> guard(core_->mutex);
    // Whole frames only; what the converter still held belongs to the old position.
    state_.cursor = std::min(newPosition - newPosition % state_.frameBytes, state_.playableBytes - state_.frameBytes);
    SDL_AudioStreamClear(state_.converter);
    state_.draining = false;
    return DS_OK;
}

HRESULT SoundBuffer::SetFormat(LPCWAVEFORMATEX format)
{
    if (!primary_) return DSERR_INVALIDCALL;
    if (!format) return DSERR_INVALIDPARAM;
    if (!playableFormat(*format)) return DSERR_BADFORMAT;
    host::current().soundCall("SetFormat", state_.serial, static_cast<long>(format->nSamplesPerSec));
    primaryFormat_ = *format;
    return DS_OK;
}

HRESULT SoundBuffer::SetVolume(LONG volume)
{
    if (!(state_.flags & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
    host::current().soundCall("SetVolume", state_.serial, volume);
    std::lock_guard<std::mutex> guard(core_->mutex);
    (primary_ ? core_->masterGain : state_.gain) = gainFor(volume);
    return DS_OK;
}

HRESULT SoundBuffer::Stop()
{
    if (primary_) return DS_OK;
    host::current().soundCall("Stop", state_.serial, 0);
    std::lock_guard<std::mutex> guard(core_->mutex);
    stopBuffer(state_);
    return DS_OK;
}

HRESULT SoundBuffer::SetNotificationPositions(DWORD count, LPCDSBPOSITIONNOTIFY positions)
{
    if (count > 0 && !positions) return DSERR_INVALIDPARAM;
    std::vector<Notification> notifications;
    for (DWORD i = 0; i < count; ++i) {
        const DSBPOSITIONNOTIFY& p = positions[i];
        if (!p.hEventNotify || (p.dwOffset != DSBPN_OFFSETSTOP && p.dwOffset >= state_.data.size()))
            return DSERR_INVALIDPARAM;
        notifications.push_back({p.dwOffset, p.hEventNotify});
    }
    std::lock_guard<std::mutex> guard(core_->mutex);
    if (state_.playing) return DSERR_INVALIDCALL;
    state_.notifications = std::move(notifications);
    return DS_OK;
}

}  // namespace layer::sound
