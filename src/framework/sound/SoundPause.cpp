// SoundPause.cpp — pausing and resuming the effects and the music together.
#include "framework/sound/SoundPause.h"

#include "framework/sound/MusicStream.h"
#include "framework/sound/SoundSystem.h"

void pauseSounds()
{
    pauseMusic();
    pauseSoundEffects();
}

void resumeSounds()
{
    resumeSoundEffects();
    resumeMusic();
}
