// output.cpp — where the mix goes: SDL's default playback device, whose audio
// thread pulls frames from the mixer, or in test mode the virtual device,
// which the test renders at its own pace (testmode::renderAudio). The SDL
// audio subsystem is started with the first output and stopped with the
// last.
#include "dsound/device_core.h"

#include "dsound/sound_log.h"
#include "kernel32/kernel32_internal.h"
#include "win32/window_internal.h"

#include "testing/sound.h"

#include <algorithm>
#include <string>

namespace layer::sound {

namespace {

// Frames per SDL callback: about 23 ms at 44.1 kHz, short enough for prompt
// effects, long enough not to underrun on a busy machine.
constexpr Uint16 CallbackFrames = 1024;

// The virtual device a test renders; guarded by virtualMutex.
std::mutex virtualMutex;
std::weak_ptr<DeviceCore> virtualOutput;

void pullFrames(void* userData, Uint8* stream, int length)
{
    auto* core = static_cast<DeviceCore*>(userData);
    renderFrames(*core, reinterpret_cast<int16_t*>(stream), static_cast<uint32_t>(length) / OutputFrameBytes);
}

std::shared_ptr<DeviceCore> openSdlOutput()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        OutputDebugStringA((std::string("DirectSound: no audio driver: ") + SDL_GetError() + "\n").c_str());
        return nullptr;
    }
    auto core = std::make_shared<DeviceCore>();
    SDL_AudioSpec wanted{};
    wanted.freq = core->rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = OutputChannels;
    wanted.samples = CallbackFrames;
    wanted.callback = pullFrames;
    wanted.userdata = core.get();
    SDL_AudioSpec obtained{};
    core->sdlDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (core->sdlDevice == 0) {
        OutputDebugStringA((std::string("DirectSound: no audio device: ") + SDL_GetError() + "\n").c_str());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    core->rate = obtained.freq;
    SDL_PauseAudioDevice(core->sdlDevice, 0);
    return core;
}

}  // namespace

DeviceCore::~DeviceCore()
{
    if (sdlDevice == 0) return;
    SDL_CloseAudioDevice(sdlDevice);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::shared_ptr<DeviceCore> openOutput()
{
    if (!testModeEnabled()) return openSdlOutput();
    if (!virtualDeviceEnabled()) return nullptr;
    auto core = std::make_shared<DeviceCore>();
    core->rate = static_cast<int>(testmode::AudioRate);
    std::lock_guard<std::mutex> guard(virtualMutex);
    virtualOutput = core;
    return core;
}

}  // namespace layer::sound

namespace testmode {

std::vector<int16_t> renderAudio(uint32_t frames)
{
    // A slice short against the one-second halves a stream refills, so the
    // stream's thread always refills a half before the mixer reaches it.
    constexpr uint32_t SliceFrames = 1024;
    constexpr uint32_t SettleTimeoutMs = 10000;
    std::vector<int16_t> out(static_cast<size_t>(frames) * layer::sound::OutputChannels, 0);
    std::shared_ptr<layer::sound::DeviceCore> core;
    {
        std::lock_guard<std::mutex> guard(layer::sound::virtualMutex);
        core = layer::sound::virtualOutput.lock();
    }
    if (!core) return out;
    for (uint32_t done = 0; done < frames;) {
        const uint32_t slice = std::min(SliceFrames, frames - done);
        const bool notified = layer::sound::renderFrames(*core, out.data() + static_cast<size_t>(done) * 2, slice);
        if (notified && !layer::waitForThreadsIdle(SettleTimeoutMs))
            OutputDebugStringA("renderAudio: the game's threads did not settle after a notification\n");
        done += slice;
    }
    return out;
}

}  // namespace testmode
