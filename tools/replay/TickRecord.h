// TickRecord.h — what the trace says about one tick, and its JSON line: one
// object per tick with its keys always in the same order (the order of the
// members below), no spaces, one "\n" after each object.
//
// gravityAngle is written as the exact decimal value of the float (every
// binary float has a finite decimal expansion), so the trace pins the value
// to the last bit and any JSON reader gets back the very same float.
// Limits: a non-finite angle, which the game never produces, is written as
// null to keep the line valid JSON. Depends on: nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace replay {

struct MusicEvent {
    bool start = false;        // false: the track stopped
    int id = 0;                // the music id the game asked for
    std::optional<int> level;  // 0–255 of the stream, none when no stream plays it

    bool operator==(const MusicEvent&) const = default;
};

struct TickRecord {
    uint32_t tick = 0;
    bool drawn = false;
    bool playing = false;
    int32_t overlayOffset = 0;
    std::vector<int32_t> board;
    std::vector<int32_t> shownBoard;
    std::vector<int32_t> shrink;
    int32_t phase = 0;
    int32_t timeLeft = 0;
    int32_t gravity = 0;
    float gravityAngle = 0.0f;
    bool leftHeld = false;
    bool rightHeld = false;
    bool wildPresent = false;
    int32_t changeCount = 0;
    int32_t chain = 0;
    int32_t score = 0;
    int32_t arrowShiftX = 0;
    int32_t arrowShiftY = 0;
    int32_t arrowPulse = 0;
    int32_t shownScore = 0;
    std::vector<int32_t> scoreDigits;
    std::vector<int32_t> timeDigits;
    std::vector<int32_t> chainDigits;
    std::vector<int> effects;  // effect ids in the order they were played
    std::vector<MusicEvent> music;
};

// The exact decimal expansion of `value`: "0", "1.5",
// "0.100000001490116119384765625"; "null" when it is not finite.
std::string exactDecimal(float value);

// The tick's JSON object followed by "\n".
std::string traceLine(const TickRecord& record);

}  // namespace replay
