// audio.cpp — the sdl host's audio output: SDL's default playback device,
// whose audio thread pulls frames from the mix. The SDL audio subsystem is
// started with each output and stopped with it (SDL counts the starts); after
// a device that would not open, it is stopped by SDL_Quit at shut-down.
#include "host/sdl/sdl.h"

#include <SDL.h>

#include <string>

namespace layer::host {

namespace {

// Frames per SDL callback: about 23 ms at 44.1 kHz, short enough for prompt
// effects, long enough not to underrun on a busy machine.
constexpr Uint16 CallbackFrames = 1024;
constexpr int OutputChannels = 2;
constexpr int OutputFrameBytes = 4;

void pullFrames(void* userData, Uint8* stream, int length)
{
    auto* source = static_cast<AudioSource*>(userData);
    source->render(reinterpret_cast<int16_t*>(stream), static_cast<uint32_t>(length / OutputFrameBytes));
}

class SdlAudioOutput final : public AudioOutput {
public:
    explicit SdlAudioOutput(SDL_AudioDeviceID device) : device_(device) {}
    ~SdlAudioOutput() override
    {
        SDL_CloseAudioDevice(device_);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

private:
    SDL_AudioDeviceID device_;
};

}  // namespace

// The source outlives its output (it owns it), so the device pulls through a
// plain pointer.
std::unique_ptr<AudioOutput> SdlHost::openAudio(const std::shared_ptr<AudioSource>& source)
{
    nameTheApplication();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        OutputDebugStringA((std::string("DirectSound: no audio driver: ") + SDL_GetError() + "\n").c_str());
        return nullptr;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = source->rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = OutputChannels;
    wanted.samples = CallbackFrames;
    wanted.callback = pullFrames;
    wanted.userdata = source.get();
    SDL_AudioSpec obtained{};
    const SDL_AudioDeviceID device =
        SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (device == 0) {
        OutputDebugStringA((std::string("DirectSound: no audio device: ") + SDL_GetError() + "\n").c_str());
        // The subsystem stays started until SDL_Quit at shut-down: stopping
        // it here waits for SDL's ALSA device-watching thread to wake from
        // its 100 ms sleep, which would hold back the first frame.
        return nullptr;
    }
    source->rate = obtained.freq;
    SDL_PauseAudioDevice(device, 0);
    return std::make_unique<SdlAudioOutput>(device);
}

}  // namespace layer::host
