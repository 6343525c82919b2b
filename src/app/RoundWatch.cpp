// RoundWatch.cpp — setting up a watched round and putting the live arrow back.
#include "app/RoundWatch.h"

#include "framework/Destroy.h"
#include "game/BoardCursor.h"
#include "game/PuzzleField.h"
#include "game/StatusPanel.h"

std::optional<RoundRecording> watchRequest;

RoundWatch::RoundWatch(RoundRecording recording)
    : field(nullptr), cursor(nullptr), panel(nullptr), recording_(std::move(recording)), engine_(recording_.start.seed),
      playback_(recording_), gravityAngle_(gravityAngle), arrowShiftX_(arrowShiftX), arrowShiftY_(arrowShiftY),
      arrowPulse_(arrowPulse)
{
    field = new PuzzleField(engine_);
    cursor = new BoardCursor();
    panel = new StatusPanel();
    field->boardCursor = cursor;
    applyRoundStart(recording_.start, engine_, *field, *cursor);
}

RoundWatch::~RoundWatch()
{
    destroy(field);
    destroy(cursor);
    destroy(panel);
    gravityAngle = gravityAngle_;
    arrowShiftX = arrowShiftX_;
    arrowShiftY = arrowShiftY_;
    arrowPulse = arrowPulse_;
}
