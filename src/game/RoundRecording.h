// RoundRecording.h — a round as it can be played again: the state it started
// from (the board engine's seed and the values drawn from it before the
// round's board, the field's count of changes carried over, the board
// cursor, the music track) and the input it read, stored as the ticks where
// it changed (ticks of the round from 1; paused ticks are not counted, so a
// played-back round runs without its pauses).
//
// The recorder leaves out a move of the mouse that the round cannot tell
// from an earlier one (the same block of the board, or of the area around
// it, and the board cursor hidden) unless PointerEvery ticks have passed
// since the last change kept: the round plays back exactly, and the file of
// a one-minute round stays small while the pointer is shown moving.
// Playback hands out the recorded input tick by tick; playRound plays a whole
// round with no device, window or sound, as fast as it can.
// Limits: main thread (the field's globals). Depends on: RoundInput,
// PuzzleField, BoardCursor, FieldEngine.
#pragma once

#include "game/RoundInput.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class BoardCursor;
class FieldEngine;
class PuzzleField;

struct RoundStart {
    uint32_t seed = 0;         // the board engine's seed
    uint64_t drawn = 0;        // values drawn from it before the round's board
    int32_t changeCount = 0;   // the field's changes since its last clear
    int32_t cursorColumn = 0;  // the board cursor before the round's first tick
    int32_t cursorRow = 0;
    bool cursorShown = false;
    int32_t cursorHeld[4] = {};
    bool cursorMouseKnown = false;
    int32_t cursorMouseX = 0;
    int32_t cursorMouseY = 0;
    int32_t track = 0;  // the music track the round played
    uint32_t day = 0;   // the date (yyyymmdd) of a round of the day, 0 for any other

    bool operator==(const RoundStart&) const = default;
};

struct InputChange {
    uint32_t tick = 0;  // the round's tick from which `input` holds, from 1
    RoundInput input;

    bool operator==(const InputChange&) const = default;
};

struct RoundRecording {
    RoundStart start;
    int32_t score = 0;  // what the round reached: its score and highest chain
    int32_t chain = 0;
    std::vector<InputChange> changes;  // ticks increasing

    bool operator==(const RoundRecording&) const = default;
};

// The most a round may draw before it starts: a number any copy of the game
// replays in a fraction of a second.
constexpr uint64_t MAX_DRAWN_BEFORE_ROUND = 100000000;

// The start of a round about to be reset from `engine`.
RoundStart roundStartOf(const FieldEngine& engine, const PuzzleField& field, const BoardCursor& cursor, int32_t track);
// Puts the engine, the field and the cursor where the round started, and
// resets the field's round from the engine.
void applyRoundStart(const RoundStart& start, FieldEngine& engine, PuzzleField& field, BoardCursor& cursor);

class RoundRecorder {
public:
    static constexpr uint32_t PointerEvery = 4;

    void begin(const RoundStart& start);
    // One tick of the running round, with the input it read and whether
    // the board cursor was shown before the tick.
    void tick(const RoundInput& input, bool cursorShown);
    // The round is over: the recording with what it reached.
    RoundRecording finish(int32_t score, int32_t chain);
    bool active() const { return active_; }

private:
    RoundRecording recording_;
    RoundInput last_;
    uint32_t ticks_ = 0;
    bool active_ = false;
};

class RoundPlayback {
public:
    explicit RoundPlayback(const RoundRecording& recording) : recording_(recording) {}
    // The input of the next tick of the round.
    RoundInput next();
    uint32_t ticks() const { return tick_; }

private:
    const RoundRecording& recording_;
    size_t nextChange_ = 0;
    uint32_t tick_ = 0;
    RoundInput current_;
};

struct RoundOutcome {
    int32_t score = 0;
    int32_t chain = 0;  // the highest chain of the round
    uint32_t ticks = 0;
};

// Plays the whole round without a device; the field's globals are left as
// the round leaves them.
RoundOutcome playRound(const RoundRecording& recording);
