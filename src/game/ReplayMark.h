// ReplayMark.h — the "REPLAY" mark over the board while a recorded round
// plays itself: a band across the line between the board's first and second
// rows (where it hides no block's symbol) with a play sign that pulses,
// counted in ticks. From "DATA/UI/replay.png".
// Limits: draws only; the scene decides when. Main thread only. Depends on:
// orvSprite.
#pragma once

#include <cstdint>

class orvSprite;

class ReplayMark {
public:
    // Where the mark sits in the back buffer, and its size.
    static constexpr int32_t X = 320, Y = 208, WIDTH = 384, HEIGHT = 96;
    // Ticks of one pulse of the sign, dim to bright and back.
    static constexpr int32_t PulsePeriod = 64;

    ReplayMark();
    ~ReplayMark();
    ReplayMark(const ReplayMark&) = delete;
    ReplayMark& operator=(const ReplayMark&) = delete;

    // `tick` counts the ticks the round has played (any origin will do).
    void draw(int32_t tick);
    // The sign's brightness at `tick`, 0 (dim) to SignLevels - 1.
    static int32_t signLevel(int32_t tick);

    static constexpr int32_t SignLevels = 4;

    orvSprite* sprite;
};
