// SoundLevel.h — the player's master volume and mute, kept in the settings:
// one level of 0–100 in steps of 10 set on the primary buffer, below every
// level the game sets itself, so the music and the effects keep their own
// levels and their balance. SoundLevelDisplay shows a change over the board.
// Limits: main thread. Depends on: Settings, setMasterVolume.
#pragma once

#include <windows.h>

class SoundLevel {
public:
    static constexpr int STEP = 10;

    // Sets the kept level on the sound system.
    SoundLevel();

    // Steps the level by `steps` (a change of level also ends a mute), or
    // switches the mute; either is applied and kept in the settings, which
    // write it out in their own time.
    void change(int steps);
    void toggleMute();

    // The primary buffer's volume for a level and mute, in hundredths of a
    // decibel: 2000 × log10(level / 100), so the amplitude follows the level
    // (0 at 100, about -6 dB at half, -20 dB at a tenth); silence at 0 or
    // muted.
    static LONG volumeFor(int level, bool mute);

private:
    void apply();
};
