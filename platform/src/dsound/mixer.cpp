// mixer.cpp — the software mixer: renders N output frames from every playing
// secondary buffer. Each buffer's bytes go through its own SDL_AudioStream,
// which converts 8-bit unsigned or 16-bit signed, mono or stereo, at any
// rate, to the output's stereo 16-bit at the output's rate; the buffer's
// volume is applied, the results are summed, scaled by the primary buffer's
// volume and clipped. Bytes that the
// game holds locked at the moment are heard as silence rather than read
// while they are being written.
#include "dsound/device_core.h"

#include <dsound.h>

#include <algorithm>
#include <atomic>
#include <cmath>

namespace layer::sound {

namespace {

// Source frames handed to the converter at a time at least: small enough
// that the play cursor, and so the notifications, follow the output closely.
constexpr DWORD MinFeedFrames = 64;

std::atomic<uint64_t> eventsSet{0};

bool inRange(DWORD offset, DWORD from, DWORD to) { return offset >= from && offset < to; }

bool isLocked(const BufferState& buffer, DWORD offset)
{
    for (int r = 0; r < 2; ++r)
        if (offset >= buffer.lockedStart[r] && offset - buffer.lockedStart[r] < buffer.lockedBytes[r]) return true;
    return false;
}

// Copies [from, from + count) of the buffer, silence in place of locked bytes
// (which are never read: the game may be writing them this very moment).
void copyUnlocked(const BufferState& buffer, DWORD from, DWORD count, std::vector<uint8_t>& out)
{
    const uint8_t silence = buffer.format.wBitsPerSample == 8 ? 0x80 : 0x00;
    out.resize(count);
    if (buffer.lockedBytes[0] == 0 && buffer.lockedBytes[1] == 0) {
        std::copy_n(buffer.data.begin() + from, count, out.begin());
        return;
    }
    for (DWORD i = 0; i < count; ++i) out[i] = isLocked(buffer, from + i) ? silence : buffer.data[from + i];
}

// Hands the next stretch of the buffer to its converter and moves the play
// cursor past it, wrapping or stopping at the end.
bool feed(BufferState& buffer, uint32_t missingOutputFrames, int outputRate, std::vector<uint8_t>& scratch)
{
    const double ratio = static_cast<double>(buffer.format.nSamplesPerSec) / outputRate;
    const auto wanted = std::max<DWORD>(MinFeedFrames, static_cast<DWORD>(std::ceil(missingOutputFrames * ratio)));
    const DWORD bytes = std::min(wanted * buffer.frameBytes, buffer.playableBytes - buffer.cursor);
    copyUnlocked(buffer, buffer.cursor, bytes, scratch);
    if (SDL_AudioStreamPut(buffer.converter, scratch.data(), static_cast<int>(bytes)) != 0) {
        OutputDebugStringA("DirectSound mixer: the audio converter refused the samples\n");
        stopBuffer(buffer);
        return false;
    }
    const DWORD from = buffer.cursor;
    buffer.cursor += bytes;
    const bool atEnd = buffer.cursor >= buffer.playableBytes;
    notifyPassed(buffer, from, atEnd ? static_cast<DWORD>(buffer.data.size()) : buffer.cursor);
    if (atEnd) {
        if (buffer.looping) {
            buffer.cursor = 0;
        } else {
            // Played once: the converter's tail is still heard, then silence.
            SDL_AudioStreamFlush(buffer.converter);
            buffer.playing = false;
            buffer.draining = true;
            buffer.cursor = 0;
            notifyStopped(buffer);
        }
    }
    return true;
}

void mixBuffer(BufferState& buffer, float* mix, uint32_t frames, int outputRate, std::vector<uint8_t>& scratch,
               std::vector<int16_t>& converted)
{
    const int wantedBytes = static_cast<int>(frames * OutputFrameBytes);
    while (buffer.playing && SDL_AudioStreamAvailable(buffer.converter) < wantedBytes) {
        const int missing = wantedBytes - SDL_AudioStreamAvailable(buffer.converter);
        if (!feed(buffer, static_cast<uint32_t>(missing) / OutputFrameBytes + 1, outputRate, scratch)) break;
    }
    converted.resize(frames * OutputChannels);
    const int got = SDL_AudioStreamGet(buffer.converter, converted.data(), wantedBytes);
    if (got <= 0) {
        buffer.draining = false;
        return;
    }
    const size_t samples = static_cast<size_t>(got) / sizeof(int16_t);
    for (size_t i = 0; i < samples; ++i) mix[i] += converted[i] * buffer.gain;
    if (!buffer.playing && SDL_AudioStreamAvailable(buffer.converter) == 0) buffer.draining = false;
}

}  // namespace

void notifyPassed(BufferState& buffer, DWORD from, DWORD to)
{
    for (const Notification& n : buffer.notifications) {
        if (n.offset != DSBPN_OFFSETSTOP && inRange(n.offset, from, to)) {
            host::current().soundCall("Notify", buffer.serial, static_cast<long>(n.offset));
            SetEvent(n.event);
            ++eventsSet;
        }
    }
}

void notifyStopped(BufferState& buffer)
{
    for (const Notification& n : buffer.notifications) {
        if (n.offset == DSBPN_OFFSETSTOP) {
            host::current().soundCall("Notify", buffer.serial, -1);
            SetEvent(n.event);
            ++eventsSet;
        }
    }
}

void stopBuffer(BufferState& buffer)
{
    const bool wasPlaying = buffer.playing;
    buffer.playing = false;
    buffer.draining = false;
    SDL_AudioStreamClear(buffer.converter);
    if (wasPlaying) notifyStopped(buffer);
}

bool DeviceCore::render(int16_t* out, uint32_t frames)
{
    thread_local std::vector<float> mix;
    thread_local std::vector<uint8_t> scratch;
    thread_local std::vector<int16_t> converted;
    mix.assign(static_cast<size_t>(frames) * OutputChannels, 0.0f);

    const uint64_t notifiedBefore = eventsSet.load();
    float master = 1.0f;
    {
        std::lock_guard<std::mutex> guard(mutex);
        for (BufferState* buffer : playingInto)
            if (buffer->playing || buffer->draining) mixBuffer(*buffer, mix.data(), frames, rate, scratch, converted);
        master = masterGain;
    }
    for (size_t i = 0; i < mix.size(); ++i)
        out[i] = static_cast<int16_t>(std::lrint(std::clamp(mix[i] * master, -32768.0f, 32767.0f)));
    return eventsSet.load() != notifiedBefore;
}

}  // namespace layer::sound
