// DigitCounter.h — a fixed number of decimal digits drawn from a digit sheet:
// ten 64 × 64 cells, eight to a row (0–7 on the top row, 8 and 9 below).
// Leading zeros are shown and digits above the counter's width are dropped.
// Limits: 1 to 9 digits; values are never negative in the game (a negative
// value shows as zeros). Depends on: orvSprite.
#pragma once

#include <cstdint>

class orvSprite;

struct DigitCell {
    int32_t digit;
    int32_t width;  // size last passed to DigitCounter::Draw
    int32_t height;
    float offsetX;  // drawing offset; nothing moves it yet
    float offsetY;
    float grow;  // added to the drawn width and height
};

class DigitCounter {
public:
    static constexpr int32_t MIN_DIGITS = 1;
    static constexpr int32_t MAX_DIGITS = 9;  // ten would make the digit step divide by zero

    // digitCount is held to 1–9.
    DigitCounter(int32_t digitCount, const char* fileName);
    ~DigitCounter();
    DigitCounter(const DigitCounter&) = delete;
    DigitCounter& operator=(const DigitCounter&) = delete;

    // False when newValue is already shown (nothing changes).
    bool Set(int32_t newValue);
    // (x, y) is the leftmost digit's corner; width × height the nominal digit
    // size, each digit drawn `grow` pixels larger.
    void Draw(int32_t x, int32_t y, int32_t width, int32_t height);

    orvSprite* sheet;
    int32_t digitCount;
    int32_t value;
    DigitCell* cells;  // index 0 is the most significant digit
};
