// SoundLevelDisplay.cpp — drawing the master volume over the board.
#include "app/SoundLevelDisplay.h"

#include "app/Settings.h"
#include "app/SoundLevel.h"
#include "framework/Destroy.h"
#include "framework/graphics/orvSprite.h"

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

SoundLevelDisplay::SoundLevelDisplay() : sprite(new orvSprite("DATA/UI/volume.png")), shownFor(0) {}

SoundLevelDisplay::~SoundLevelDisplay() { destroy(sprite); }

void SoundLevelDisplay::show() { shownFor = SHOW_TICKS; }

void SoundLevelDisplay::update()
{
    if (shownFor > 0) --shownFor;
}

void SoundLevelDisplay::draw()
{
    if (shownFor <= 0) return;
    if (settings.mute) {
        sprite->Draw(PanelX, PanelY, PanelWidth, PanelHeight, 0, MutedRow, PanelWidth, PanelHeight, 0.0f);
        return;
    }
    sprite->Draw(PanelX, PanelY, PanelWidth, PanelHeight, 0, 0, PanelWidth, PanelHeight, 0.0f);
    for (int i = 0; i < settings.volume / SoundLevel::STEP; ++i)
        sprite->Draw(PanelX + SegmentX + SegmentPitch * i, PanelY + SegmentY, SegmentWidth, SegmentHeight, 0,
                     SegmentRow, SegmentWidth, SegmentHeight, 0.0f);
}
