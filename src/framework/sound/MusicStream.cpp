// MusicStream.cpp — opening a track (WAV or Ogg Vorbis), creating its
// notified streaming buffer, starting its thread, and destroying the stream.
// Buffer format: PCM 16-bit; for an Ogg track its own rate and channel count
// (mono or stereo: a mono track in a stereo buffer would play at twice its
// speed), for a WAV track, whose "fmt " chunk is not consulted, 44100 Hz
// stereo.
#include "framework/sound/MusicStream.h"

#include "framework/Destroy.h"

#include <mmsystem.h>

namespace {

constexpr DWORD WavTrackRate = 44100;
constexpr WORD WavTrackChannels = 2;
constexpr WORD SampleBytes = 2;

bool endsWith(const char* path, const char* extension)
{
    const int length = lstrlenA(path);
    return length >= 4 && lstrcmpiA(path + length - 4, extension) == 0;
}

// The file offset of the first sample byte, or -1 when the file has no RIFF
// chunk with a "data" chunk in it.
LONG findWavSamples(const char* path)
{
    HMMIO file = mmioOpenA(const_cast<LPSTR>(path), nullptr, MMIO_ALLOCBUF | MMIO_READ);
    if (!file) return -1;
    MMCKINFO riff = {};
    MMCKINFO data = {};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    LONG position = -1;
    if (mmioDescend(file, &riff, nullptr, 0) == MMSYSERR_NOERROR &&
        mmioDescend(file, &data, &riff, MMIO_FINDCHUNK) == MMSYSERR_NOERROR)
        position = mmioSeek(file, 0, SEEK_CUR);
    mmioClose(file, 0);
    return position;
}

}  // namespace

MusicStream::MusicStream() { ++liveStreams; }

MusicStream* MusicStream::create(LPDIRECTSOUND8 device, const char* path)
{
    auto* stream = new MusicStream();
    if (path && endsWith(path, ".wav")) stream->openWav(device, path);
    if (path && endsWith(path, ".ogg")) {
        stream->file = std::fopen(path, "rb");
        if (stream->file) stream->openOgg(device);
    }
    if (!stream->buffer) {
        destroyStream(stream);
        return nullptr;
    }
    stream->buffer->SetCurrentPosition(0);
    stream->volume = 255;
    stream->buffer->SetVolume(0);
    stream->thread = CreateThread(nullptr, 0, streamThread, stream, 0, &stream->threadId);
    if (!stream->thread) {
        destroyStream(stream);
        return nullptr;
    }
    stream->buffer->Play(0, 0, DSBPLAY_LOOPING);
    return stream;
}

void MusicStream::openWav(LPDIRECTSOUND8 device, const char* path)
{
    const LONG position = findWavSamples(path);
    if (position == -1) return;
    file = std::fopen(path, "rb");
    if (!file) return;
    dataOffset = static_cast<DWORD>(position);
    std::fseek(file, position, SEEK_SET);
    kind = MUSIC_KIND_WAV;
    createBuffer(device, WavTrackRate, WavTrackChannels);
    if (buffer) fillFromWav(0);
}

void MusicStream::openOgg(LPDIRECTSOUND8 device)
{
    if (ov_open(file, &vorbis, nullptr, 0) != 0) {
        ov_clear(&vorbis);
        std::fclose(file);
        file = nullptr;
        return;
    }
    if (!ov_seekable(&vorbis)) {
        ov_clear(&vorbis);  // closes the file as well
        file = nullptr;
        return;
    }
    const vorbis_info* info = ov_info(&vorbis, -1);
    kind = MUSIC_KIND_OGG;
    if (info && info->channels > 2) {
        OutputDebugStringA("Vantorel: a music track of more than two channels is not played\n");
        return;
    }
    if (info && info->rate > 0 && info->rate <= DSBFREQUENCY_MAX)
        createBuffer(device, static_cast<DWORD>(info->rate), static_cast<WORD>(info->channels));
    if (buffer) fillFromOgg(0);
}

void MusicStream::createBuffer(LPDIRECTSOUND8 device, DWORD rate, WORD channels)
{
    frameBytes = channels * SampleBytes;
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = channels;
    format.nSamplesPerSec = rate;
    format.nAvgBytesPerSec = rate * frameBytes;
    format.nBlockAlign = static_cast<WORD>(frameBytes);
    format.wBitsPerSample = 16;
    DSBUFFERDESC desc = {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags =
        DSBCAPS_LOCSOFTWARE | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPOSITIONNOTIFY;
    desc.dwBufferBytes = rate * frameBytes * 2;
    desc.lpwfxFormat = &format;
    if (FAILED(device->CreateSoundBuffer(&desc, &buffer, nullptr))) {
        buffer = nullptr;
        return;
    }
    HRESULT result = buffer->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<void**>(&notify));
    for (HANDLE& event : events) event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (SUCCEEDED(result)) {
        // The middle of the buffer is placed by the rate itself: halfFrames
        // is only known once the notifications are in place.
        notifyPositions[0] = {0, events[0]};
        notifyPositions[1] = {rate * frameBytes, events[1]};
        notifyPositions[2] = {static_cast<DWORD>(DSBPN_OFFSETSTOP), events[2]};
        result = notify->SetNotificationPositions(3, notifyPositions);
    }
    if (SUCCEEDED(result)) {
        halfFrames = rate;
        return;
    }
    release(notify);
    release(buffer);
}

void destroyStream(MusicStream* stream)
{
    if (stream->kind == MUSIC_KIND_OGG) {
        ov_clear(&stream->vorbis);  // closes the file as well
    } else if (stream->file) {
        std::fclose(stream->file);
    }
    stream->file = nullptr;
    release(stream->notify);
    release(stream->buffer);
    // The events and the thread handle go with the stream, or every track
    // played would leave four handles behind.
    for (HANDLE event : stream->events)
        if (event) CloseHandle(event);
    if (stream->thread) CloseHandle(stream->thread);
    delete stream;
    --liveStreams;
}
