// SoundLevel.h — the player's master volume and mute, kept in the settings:
// one level of 0–100 in steps of 10 set on the primary buffer, below every
// level the game sets itself, so the music and the effects keep their own
// levels and their balance. A change is shown for a moment over the board:
// the level as ten segments, or "MUTED".
// Limits: one per scene, main thread. Depends on: Settings, setMasterVolume,
// orvSprite ("DATA/UI/volume.png").
#pragma once

#include <windows.h>

#include <cstdint>

class orvSprite;

class SoundLevel {
public:
    static constexpr int STEP = 10;
    static constexpr int32_t SHOW_TICKS = 90;

    // Sets the kept level on the sound system.
    SoundLevel();
    ~SoundLevel();
    SoundLevel(const SoundLevel&) = delete;
    SoundLevel& operator=(const SoundLevel&) = delete;

    // Steps the level by `steps` (a change of level also ends a mute), or
    // switches the mute; either is applied, kept and shown.
    void change(int steps);
    void toggleMute();
    void update();  // once per tick: the display's countdown
    void draw();

    // The primary buffer's volume for a level and mute: 0 at 100, 20 dB less
    // per tenth of the level, silence at 0 or muted.
    static LONG volumeFor(int level, bool mute);

    orvSprite* sprite;
    int32_t shownFor;  // ticks the display has left

private:
    void applyAndKeep();
};
