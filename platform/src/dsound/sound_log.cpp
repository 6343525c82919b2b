// sound_log.cpp — the sound-call log and the virtual-device switch of test
// mode. The log keeps at most MaxEntries calls so that a long capture cannot
// exhaust memory; tests clear it between steps.
#include "dsound/sound_log.h"

#include "win32/window_internal.h"

#include "testing/sound.h"

#include <atomic>
#include <mutex>
#include <vector>

namespace layer::sound {

namespace {

constexpr size_t MaxEntries = 100000;

std::mutex logMutex;
std::vector<testmode::SoundCall> entries;
std::atomic<bool> virtualDevice{false};

}  // namespace

void recordSoundCall(const char* call, int buffer, long value)
{
    if (!testModeEnabled()) return;
    std::lock_guard<std::mutex> guard(logMutex);
    if (entries.size() < MaxEntries) entries.push_back({call, buffer, value});
}

bool virtualDeviceEnabled() { return virtualDevice.load(); }

}  // namespace layer::sound

namespace testmode {

void enableAudioDevice(bool on) { layer::sound::virtualDevice = on; }

std::vector<SoundCall> soundCalls()
{
    std::lock_guard<std::mutex> guard(layer::sound::logMutex);
    return layer::sound::entries;
}

void clearSoundCalls()
{
    std::lock_guard<std::mutex> guard(layer::sound::logMutex);
    layer::sound::entries.clear();
}

}  // namespace testmode
