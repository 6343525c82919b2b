// DigitCounter.cpp — the digits of a counter's value and their drawing from
// the digit sheet.
#include "game/DigitCounter.h"

#include "framework/Destroy.h"
#include "framework/graphics/orvSprite.h"

namespace {

constexpr int32_t SheetCell = 64;
constexpr int32_t SheetColumns = 8;

int32_t heldToRange(int32_t digitCount)
{
    if (digitCount < DigitCounter::MIN_DIGITS) return DigitCounter::MIN_DIGITS;
    if (digitCount > DigitCounter::MAX_DIGITS) return DigitCounter::MAX_DIGITS;
    return digitCount;
}

}  // namespace

DigitCounter::DigitCounter(int32_t count, const char* fileName)
    : sheet(nullptr), digitCount(heldToRange(count)), value(0), cells(nullptr)
{
    sheet = new orvSprite(fileName);
    cells = new DigitCell[digitCount];
    for (int32_t i = 0; i < digitCount; ++i) cells[i] = DigitCell{0, 0, 0, 0.0f, 0.0f, 1.0f};
}

DigitCounter::~DigitCounter()
{
    if (cells) {
        delete[] cells;
        cells = nullptr;
    }
    destroy(sheet);
}

bool DigitCounter::Set(int32_t newValue)
{
    if (newValue == value) return false;
    value = newValue;
    // A negative remainder would point left of the sheet: shown as 0 instead.
    int32_t v = newValue;
    for (int32_t i = digitCount - 1; i >= 0; --i) {
        const int32_t digit = v % 10;
        cells[i].digit = digit < 0 ? 0 : digit;
        v /= 10;
    }
    return true;
}

void DigitCounter::Draw(int32_t x, int32_t y, int32_t width, int32_t height)
{
    const int32_t step = width / (10 - digitCount) + 24;
    for (int32_t i = 0; i < digitCount; ++i) {
        DigitCell& cell = cells[i];
        cell.width = width;
        cell.height = height;
        const int32_t d = cell.digit;
        sheet->Draw(static_cast<int32_t>(static_cast<float>(x + i * step) + cell.offsetX),
                    static_cast<int32_t>(static_cast<float>(y) + cell.offsetY),
                    static_cast<int32_t>(static_cast<float>(width) + cell.grow),
                    static_cast<int32_t>(static_cast<float>(height) + cell.grow), SheetCell * (d % SheetColumns),
                    SheetCell * (d / SheetColumns), SheetCell, SheetCell, 0.0f);
    }
}
