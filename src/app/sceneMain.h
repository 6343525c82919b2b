// sceneMain.h — the game scene: waits for the start button, starts a timed
// round with a random track and the start sound, drives the status panel and
// the field once per tick while the round runs, and draws the frame in its
// fixed order (camera, clear, blocks, panel, start banner, mouse pointer).
// A round that runs out of time goes into the best scores with the highest
// chain it reached; a round cut short by quitting does not. While waiting,
// the best score shows under the banner, and Tab or the pad's back button
// opens and closes the whole table.
// A running round pauses on P, Pause, the pad's start button, or when the
// window loses the focus or is minimised: its timer, turn cycle, animations,
// music and effects stand still and the board is covered. P, Pause, the pad's
// start button or Space resume it; the focus coming back does not. The board
// cursor and the master volume live here too.
// Every round is recorded as it is played; one that makes the table is kept
// with it. While waiting, after IDLE_TICKS without input, the best round plays
// itself once with its music and the REPLAY mark; Space ends it and starts a
// round, any other input ends it at once. With the table shown, the arrows or
// the pointer choose an entry and Return, a click or the pad's south button
// watch it. A watched round never enters the table, changes no setting and
// does not keep the screen on.
// T or the pad's north button start the round of the day instead: the board
// draws from an engine of its own seeded with the UTC date, so every player
// gets the same start that day, and the round goes into the day's table,
// which a second Tab shows.
// Limits: the program's only scene; main thread only. Depends on: orvCamera,
// orvSprite, StatusPanel, PuzzleField, Input, the music and sound effects,
// MousePointer, BestScores, BestScoresPanel.
#pragma once

#include "app/Scene.h"
#include "game/FieldEngine.h"
#include "game/RoundRecording.h"

#include <cstdint>
#include <memory>
#include <random>

class BestScores;
class BestScoresPanel;
class BoardCursor;
class PuzzleField;
class ReplayMark;
class RoundWatch;
class SoundLevel;
class SoundLevelDisplay;
class StatusPanel;
class orvCamera;
class orvSprite;

// The scene's own engine, seeded once from the system's random source before
// WinMain; only the music choice draws from it.
extern std::mt19937 sceneRandom;

// Today's date in UTC as the number yyyymmdd: the seed of the round of the day.
uint32_t dayOfRoundToday();

class sceneMain : public Scene {
public:
    static constexpr int START_BUTTON = 15;
    static constexpr int FIRST_TRACK = 10;  // tracks 10–13 are chosen from; 14 never is
    static constexpr int TRACK_CHOICES = 4;
    static constexpr int BANNER_STEP = 40;  // pixels per tick while a round runs
    // The pad's back button, read from the pad alone: the logical button it
    // drives also answers to Return.
    static constexpr int TABLE_PAD_BUTTON = 14;
    static constexpr int WATCH_PAD_BUTTON = 4;        // the pad's south button, read from the pad alone
    static constexpr int DAY_PAD_BUTTON = 7;          // the pad\'s north button, read from the pad alone
    static constexpr int32_t IDLE_TICKS = 1797;       // 30 seconds of ticks
    static constexpr int32_t WATCH_HOLD_TICKS = 120;  // a watched round's end stays this long

    sceneMain();
    ~sceneMain() override;
    sceneMain(const sceneMain&) = delete;
    sceneMain& operator=(const sceneMain&) = delete;

    bool Initialize() override;
    void Update() override;
    void Render() override;

    orvCamera* camera;
    StatusPanel* panel;
    orvSprite* startOverlay;
    PuzzleField* field;
    bool playing;
    int32_t overlayOffset;
    BestScores* bestScores;
    int32_t roundChain;  // the highest chain of the running or last round
    BestScoresPanel* scoresPanel;
    bool tableShown;     // the whole table instead of the best score, while waiting
    bool dayTableShown;  // with tableShown: the table of the day instead of the best scores
    bool tableKeyHeld;   // Tab in the previous tick
    bool tablePadHeld;   // the pad's back button in the previous tick
    BoardCursor* boardCursor;
    SoundLevel* soundLevel;
    SoundLevelDisplay* soundLevelDisplay;
    orvSprite* pauseCover;
    bool paused;
    BestScores* dayScores;  // the table of the day of the last round of the day, or null
    orvSprite* dayBanner;
    FieldEngine dayRandom;  // what the board draws from in a round of the day
    bool dayRound;          // the running or last round is a round of the day
    RoundRecorder recorder;
    RoundStart pendingStart;  // where a round started this tick would start from
    RoundWatch* watch;        // the round being watched, or null
    bool quitAfterWatch;
    ReplayMark* replayMark;
    int32_t watchTicks;   // ticks of the watched round so far
    int32_t watchHeld;    // ticks since the watched round ended, -1 while it runs
    int32_t idleTicks;    // waiting ticks without input
    int32_t tableChoice;  // the chosen entry of the shown table
    RoundInput lastLive;  // the previous tick's live input
    bool watchKeyHeld;    // Return in the previous tick
    bool watchPadHeld;    // the pad's south button in the previous tick

    // Plays a recorded round in the window; false when it cannot start.
    bool startWatch(RoundRecording recording);

private:
    // A round; of the day when `day` (yyyymmdd, UTC) is not 0.
    void startRound(uint32_t day);
    BestScores& shownScores();
    void finishRound();
    bool playerActed(const RoundInput& live, const RoundInput& previous);
    bool playerHolds(const RoundInput& live) const;
    // One tick of the watched round; false when the tick goes on as a waiting tick.
    bool updateWatch(bool acted);
    void endWatch();
    void updateWaiting(bool acted, const RoundInput& live, const RoundInput& previous);
    bool watchButtonPressed();
    bool watchEntry(BestScores& scores, size_t index);
    bool tableButtonPressed();
    void takeSoundRequests();
    // Whether this tick pauses or resumes; the requests are used up either way.
    bool pauseWanted();
    bool resumeWanted();
    void pause();
    void resume();
};
