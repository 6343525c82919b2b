// SoundLevel.cpp — the master volume's curve, and applying and keeping it.
#include "app/SoundLevel.h"

#include "app/Settings.h"
#include "framework/sound/SoundSystem.h"

#include <algorithm>
#include <cmath>

SoundLevel::SoundLevel() { apply(); }

LONG SoundLevel::volumeFor(int level, bool mute)
{
    if (mute || level <= 0) return DSBVOLUME_MIN;
    const double hundredths = 2000.0 * std::log10(std::min(level, 100) / 100.0);
    return std::max<LONG>(DSBVOLUME_MIN, static_cast<LONG>(std::lround(hundredths)));
}

void SoundLevel::change(int steps)
{
    const int level = std::clamp(settings.volume + steps * STEP, 0, 100);
    if (level == settings.volume && !settings.mute) return;
    settings.volume = level;
    settings.mute = false;
    apply();
}

void SoundLevel::toggleMute()
{
    settings.mute = !settings.mute;
    apply();
}

void SoundLevel::apply() { setMasterVolume(volumeFor(settings.volume, settings.mute)); }
