// sound.cpp — the headless host's audio: a virtual device that the
// caller renders at its own pace, and the log of sound calls, with the
// controls of platform/testing/sound.h. The log keeps at most MaxEntries
// calls so that a long capture cannot exhaust memory; tests clear it between
// steps.
#include "host/headless/headless.h"

#include "dsound/sound_buffer.h"
#include "kernel32/kernel32_internal.h"

#include <algorithm>

namespace layer::host {

namespace {

constexpr size_t MaxEntries = 100000;

// The virtual device: the pulls come from testmode::renderAudio.
class VirtualAudioOutput final : public AudioOutput {};

}  // namespace

// With the virtual device off, there is no output, as on a machine without a
// sound card.
std::unique_ptr<AudioOutput> HeadlessHost::openAudio(const std::shared_ptr<AudioSource>& source)
{
    if (!audioDevice) return nullptr;
    source->rate = static_cast<int>(testmode::AudioRate);
    std::lock_guard<std::mutex> guard(audioMutex);
    audioSource = source;
    return std::make_unique<VirtualAudioOutput>();
}

void HeadlessHost::soundCall(const char* call, int buffer, long value)
{
    std::lock_guard<std::mutex> guard(soundLogMutex);
    if (soundLog.size() < MaxEntries) soundLog.push_back({call, buffer, value});
}

}  // namespace layer::host

namespace testmode {

using layer::host::headless;

void enableAudioDevice(bool on) { headless().audioDevice = on; }

std::vector<int16_t> renderAudio(uint32_t frames)
{
    // A slice short against the one-second halves a stream refills, so the
    // stream's thread always refills a half before the mixer reaches it.
    constexpr uint32_t SliceFrames = 1024;
    constexpr uint32_t SettleTimeoutMs = 10000;
    constexpr int Channels = 2;
    std::vector<int16_t> out(static_cast<size_t>(frames) * Channels, 0);
    std::shared_ptr<layer::host::AudioSource> source;
    {
        std::lock_guard<std::mutex> guard(headless().audioMutex);
        source = headless().audioSource.lock();
    }
    if (!source) return out;
    for (uint32_t done = 0; done < frames;) {
        const uint32_t slice = std::min(SliceFrames, frames - done);
        const bool notified = source->render(out.data() + static_cast<size_t>(done) * Channels, slice);
        if (notified && !layer::waitForThreadsIdle(SettleTimeoutMs))
            OutputDebugStringA("renderAudio: the game's threads did not settle after a notification\n");
        done += slice;
    }
    return out;
}

bool waitForThreads(const std::function<bool()>& holds, uint32_t timeoutMs)
{
    return layer::waitForThreads(holds, timeoutMs);
}

std::vector<SoundCall> soundCalls()
{
    std::lock_guard<std::mutex> guard(headless().soundLogMutex);
    return headless().soundLog;
}

void clearSoundCalls()
{
    std::lock_guard<std::mutex> guard(headless().soundLogMutex);
    headless().soundLog.clear();
}

int soundBufferId(IDirectSoundBuffer* buffer)
{
    return buffer ? static_cast<layer::sound::SoundBuffer*>(buffer)->serial() : 0;
}

}  // namespace testmode
