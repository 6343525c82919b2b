// RoundWatch.h — a recorded round played again in the window: a field, a
// board cursor and a status panel of its own, the board drawing from an
// engine of its own set to the round's start, and the recorded input handed
// out tick by tick. The scene plays it in place of its own objects, so the
// live game (its board, its engine, its counters and the arrow) is exactly
// as it was when the watch ends; the arrow's values, which the field keeps
// in globals, are put back then.
// `watchRequest` is a round the command line or a tool asks the game to
// play at once; the game quits when it ends.
// Limits: one watch at a time; main thread. Depends on: RoundRecording,
// PuzzleField, BoardCursor, StatusPanel.
#pragma once

#include "game/FieldEngine.h"
#include "game/RoundRecording.h"

#include <optional>

class BoardCursor;
class PuzzleField;
class StatusPanel;

class RoundWatch {
public:
    explicit RoundWatch(RoundRecording recording);
    ~RoundWatch();
    RoundWatch(const RoundWatch&) = delete;
    RoundWatch& operator=(const RoundWatch&) = delete;

    // The input of the round's next tick, then the one it played last.
    RoundInput nextInput()
    {
        input_ = playback_.next();
        return input_;
    }
    const RoundInput& input() const { return input_; }
    const RoundRecording& recording() const { return recording_; }

    PuzzleField* field;
    BoardCursor* cursor;
    StatusPanel* panel;

private:
    RoundRecording recording_;
    FieldEngine engine_;
    RoundPlayback playback_;
    RoundInput input_;
    float gravityAngle_;
    int32_t arrowShiftX_;
    int32_t arrowShiftY_;
    int32_t arrowPulse_;
};

extern std::optional<RoundRecording> watchRequest;
