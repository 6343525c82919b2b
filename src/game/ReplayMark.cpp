// ReplayMark.cpp — the banner, then the sign's cell for this tick over its
// well. The sheet: the banner at (0, 0); the sign from dim to bright in
// 64 x 64 cells at (64 * level, 128), drawn at (30, 16) on the banner.
#include "game/ReplayMark.h"

#include "framework/Destroy.h"
#include "framework/graphics/orvSprite.h"

namespace {

constexpr int SignCell = 64, SignRow = 128, SignX = 30, SignY = 16;

}  // namespace

ReplayMark::ReplayMark() : sprite(new orvSprite("DATA/UI/replay.png")) {}

ReplayMark::~ReplayMark() { destroy(sprite); }

int32_t ReplayMark::signLevel(int32_t tick)
{
    const int32_t phase = (tick % PulsePeriod + PulsePeriod) % PulsePeriod;
    const int32_t half = PulsePeriod / 2;
    // Up for half the period, down for the other half.
    const int32_t rise = phase < half ? phase : PulsePeriod - 1 - phase;
    return rise * SignLevels / half;
}

void ReplayMark::draw(int32_t tick)
{
    sprite->Draw(Left, Top, Width, Height, 0, 0, Width, Height, 0.0f);
    const int32_t level = signLevel(tick);
    sprite->Draw(Left + SignX, Top + SignY, SignCell, SignCell, SignCell * level, SignRow, SignCell, SignCell, 0.0f);
}
