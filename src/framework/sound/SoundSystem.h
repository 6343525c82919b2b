// SoundSystem.h — the DirectSound device, its primary buffer and 128 sound-
// effect slots, each a WAV file loaded whole into a buffer of its own. One
// instance for the whole run, `soundSystem`, created by registerSounds and
// destroyed last at shut-down, after the music threads have ended. Without a
// sound device every operation does nothing.
#pragma once

#include <windows.h>
#include <dsound.h>

constexpr int SOUND_EFFECT_SLOTS = 128;

struct SoundEffect {
    LPDIRECTSOUNDBUFFER buffer;
    bool paused = false;  // stopped by pauseSoundEffects while it sounded
};

class SoundSystem {
public:
    SoundSystem();
    ~SoundSystem();
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // Loads the WAV file at `path` into slot `id` (0–127), replacing what was
    // there; a null `path` only clears the slot. A file that cannot be loaded
    // leaves the slot empty.
    void setSoundEffect(int id, const char* path);

    HWND window = nullptr;
    LPDIRECTSOUND8 device = nullptr;
    LPDIRECTSOUNDBUFFER primary = nullptr;
    SoundEffect* effects[SOUND_EFFECT_SLOTS] = {};
};

extern SoundSystem* soundSystem;

// Plays slot `id` of `soundSystem` from its start, cutting it if it still
// sounds. Does nothing without a sound system, a device or an effect there.
void playSoundEffect(int id);

// Every effect that sounds stops where it is; resuming plays those on from
// there. SoundPause pauses the music with them.
void pauseSoundEffects();
void resumeSoundEffects();

// The master volume, below every level the game sets: the primary buffer's
// volume in hundredths of a decibel (0 full, DSBVOLUME_MIN silent).
void setMasterVolume(LONG volume);
