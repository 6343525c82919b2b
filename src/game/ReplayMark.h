// ReplayMark.h — the "REPLAY" mark over the board while a recorded round
// plays itself: a band across the line between the board's first and second
// rows (where it hides no block's symbol), with a play sign that pulses,
// counted in ticks. From "DATA/UI/replay.png"; without a device it draws
// nothing.
// Limits: draws only; the scene decides when. Main thread only. Depends on:
// orvSprite.
#pragma once

#include <cstdint>

class orvSprite;

class ReplayMark {
public:
    // Where the mark sits in the back buffer, and its size.
    static constexpr int32_t Left = 320, Top = 208, Width = 384, Height = 96;
    // Ticks of one pulse of the sign, dim to bright and back, through its
    // levels of brightness.
    static constexpr int32_t PulsePeriod = 64, SignLevels = 4;

    ReplayMark();
    ~ReplayMark();
    ReplayMark(const ReplayMark&) = delete;
    ReplayMark& operator=(const ReplayMark&) = delete;

    // `tick` counts the ticks the round has played (any origin will do).
    void draw(int32_t tick);
    // The sign's brightness at `tick`, from 0 (dim) to SignLevels - 1.
    static int32_t signLevel(int32_t tick);

    orvSprite* sprite;
};
