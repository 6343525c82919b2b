// StatusPanel.cpp — the panel's images and counters: built and destroyed in
// their fixed orders, updated from the field once per tick, drawn in seven
// steps (frame, column, arrow, icon, score, time, chain).
#include "game/StatusPanel.h"

#include "framework/Destroy.h"
#include "framework/graphics/orvSprite.h"
#include "game/DigitCounter.h"
#include "game/PuzzleField.h"

#include <algorithm>

namespace {

constexpr int32_t FramesPerSecond = 60;
constexpr int32_t ScoreStep = 10;

}  // namespace

StatusPanel::StatusPanel()
    : windowSprite(nullptr), statusSprite(nullptr), arrowSprite(nullptr), colorChangeSprite(nullptr),
      scoreCounter(nullptr), timeCounter(nullptr), chainCounter(nullptr), timeFrames(0), shownScore(0), targetScore(0),
      chainCount(0)
{
    windowSprite = new orvSprite("DATA/PuzzleField/window.png");
    // The double slash is the file's name as the game has always spelled it.
    statusSprite = new orvSprite("DATA/UI//Status.png");
    arrowSprite = new orvSprite("DATA/PuzzleField/arrow.png");
    colorChangeSprite = new orvSprite("DATA/UI/colorChange.png");
    // Score and time share one texture through the cache.
    scoreCounter = new DigitCounter(6, "DATA/number.png");
    timeCounter = new DigitCounter(2, "DATA/number.png");
    chainCounter = new DigitCounter(2, "DATA/rensa.png");
}

StatusPanel::~StatusPanel()
{
    destroy(windowSprite);
    destroy(arrowSprite);
    destroy(statusSprite);
    destroy(colorChangeSprite);
    destroy(scoreCounter);
    destroy(timeCounter);
    destroy(chainCounter);
}

void StatusPanel::Update(const PuzzleField& field)
{
    timeFrames = field.timeLeft;
    targetScore = field.score;
    chainCount = field.chain;
    // Climbs by 10 a frame, more during a chain, and never passes the score;
    // a score that dropped (a new round) is followed at once. Summed in 64
    // bits: the field caps its score at the largest int32, where one more
    // step must not wrap around.
    if (targetScore > shownScore)
        shownScore = static_cast<int32_t>(std::min<int64_t>(
            int64_t{shownScore} + int64_t{ScoreStep} * (int64_t{chainCount} + 1), int64_t{targetScore}));
    if (shownScore > targetScore) shownScore = targetScore;
    scoreCounter->Set(shownScore);
    timeCounter->Set(timeFrames / FramesPerSecond);
    chainCounter->Set(chainCount);
}

void StatusPanel::Draw()
{
    windowSprite->Draw(0, 0, 1024, 1024, 0, 0, 1024, 1024, 0.0f);
    statusSprite->Draw(1024, 0, 256, 1024, 0, 0, 256, 1024, 0.0f);
    // The arrow grows about its centre while it pulses.
    const int32_t h = arrowPulse / 2;
    const int32_t side = 128 + arrowPulse;
    arrowSprite->DrawRotated(1088 + arrowShiftX - h, 64 + arrowShiftY - h, side, side, 0, 256, 256, gravityAngle);
    colorChangeSprite->Draw(1056, 796, 192, 192, 0, 0, 256, 256, 0.0f);
    scoreCounter->Draw(1040, 270, 48, 48);
    timeCounter->Draw(1100, 690, 48, 48);
    chainCounter->Draw(1120, 530, 36, 36);
}
