// StatusPanel.h — the fixed screen around the field: the frame image over the
// board, the status column at the right, the gravity arrow, the colour-change
// icon and three counters (score six digits, time in seconds two digits,
// chain two digits in its own style). The shown score rolls toward the real
// one, faster during a chain.
// Limits: reads the field and its arrow values, changes nothing outside
// itself; main thread only. Depends on: orvSprite, DigitCounter, PuzzleField.
#pragma once

#include <cstdint>

class DigitCounter;
class PuzzleField;
class orvSprite;

class StatusPanel {
public:
    StatusPanel();
    ~StatusPanel();
    StatusPanel(const StatusPanel&) = delete;
    StatusPanel& operator=(const StatusPanel&) = delete;

    // Once per tick of a running round, before the field's own update.
    void Update(const PuzzleField& field);
    void Draw();

    orvSprite* windowSprite;
    orvSprite* statusSprite;
    orvSprite* arrowSprite;
    orvSprite* colorChangeSprite;
    DigitCounter* scoreCounter;
    DigitCounter* timeCounter;
    DigitCounter* chainCounter;
    int32_t timeFrames;
    int32_t shownScore;
    int32_t targetScore;
    int32_t chainCount;
};
