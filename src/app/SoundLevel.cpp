// SoundLevel.cpp — applying, keeping and showing the master volume.
#include "app/SoundLevel.h"

#include "app/Settings.h"
#include "framework/Destroy.h"
#include "framework/graphics/orvSprite.h"
#include "framework/sound/SoundSystem.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int PanelX = 256;  // centred over the board
constexpr int PanelY = 64;
constexpr int PanelWidth = 512;
constexpr int PanelHeight = 128;
constexpr int MutedRow = 128;
constexpr int SegmentRow = 256;
constexpr int SegmentX = 200;
constexpr int SegmentY = 40;
constexpr int SegmentPitch = 28;
constexpr int SegmentWidth = 24;
constexpr int SegmentHeight = 64;

}  // namespace

SoundLevel::SoundLevel() : sprite(new orvSprite("DATA/UI/volume.png")), shownFor(0)
{
    setMasterVolume(volumeFor(settings.volume, settings.mute));
}

SoundLevel::~SoundLevel() { destroy(sprite); }

LONG SoundLevel::volumeFor(int level, bool mute)
{
    if (mute || level <= 0) return DSBVOLUME_MIN;
    const double hundredths = 2000.0 * std::log10(std::min(level, 100) / 100.0);
    return std::max<LONG>(DSBVOLUME_MIN, static_cast<LONG>(std::lround(hundredths)));
}

void SoundLevel::change(int steps)
{
    const int level = std::clamp(settings.volume + steps * STEP, 0, 100);
    if (level == settings.volume && !settings.mute) {
        shownFor = SHOW_TICKS;
        return;
    }
    settings.volume = level;
    settings.mute = false;
    applyAndKeep();
}

void SoundLevel::toggleMute()
{
    settings.mute = !settings.mute;
    applyAndKeep();
}

void SoundLevel::applyAndKeep()
{
    setMasterVolume(volumeFor(settings.volume, settings.mute));
    shownFor = SHOW_TICKS;
}

void SoundLevel::update()
{
    if (shownFor > 0) --shownFor;
}

void SoundLevel::draw()
{
    if (shownFor <= 0) return;
    if (settings.mute) {
        sprite->Draw(PanelX, PanelY, PanelWidth, PanelHeight, 0, MutedRow, PanelWidth, PanelHeight, 0.0f);
        return;
    }
    sprite->Draw(PanelX, PanelY, PanelWidth, PanelHeight, 0, 0, PanelWidth, PanelHeight, 0.0f);
    for (int i = 0; i < settings.volume / STEP; ++i)
        sprite->Draw(PanelX + SegmentX + SegmentPitch * i, PanelY + SegmentY, SegmentWidth, SegmentHeight, 0,
                     SegmentRow, SegmentWidth, SegmentHeight, 0.0f);
}
