// SoundLevelDisplay.h — the master volume shown for a moment over the board
// after a change (or a step that changed nothing): the level as ten
// segments, or "MUTED", as the settings hold them.
// Limits: one per scene, main thread. Depends on: Settings, orvSprite
// ("DATA/UI/volume.png").
#pragma once

#include <cstdint>

class orvSprite;

class SoundLevelDisplay {
public:
    static constexpr int32_t SHOW_TICKS = 90;

    SoundLevelDisplay();
    ~SoundLevelDisplay();
    SoundLevelDisplay(const SoundLevelDisplay&) = delete;
    SoundLevelDisplay& operator=(const SoundLevelDisplay&) = delete;

    void show();    // from now for SHOW_TICKS ticks
    void update();  // once per tick: the countdown
    void draw();

    orvSprite* sprite;
    int32_t shownFor;  // ticks the display has left
};
