// sceneMain.h — the game scene: waits for the start button, starts a timed
// round with a random track and the start sound, drives the status panel and
// the field once per tick while the round runs, and draws the frame in its
// fixed order (camera, clear, blocks, panel, start banner, mouse pointer).
// A round that runs out of time goes into the best scores with the highest
// chain it reached; a round cut short by quitting does not.
// A running round pauses on P, Pause, the pad's start button, or when the
// window loses the focus or is minimised: its timer, turn cycle, animations,
// music and effects stand still and the board is covered. P, Pause, the pad's
// start button or Space resume it; the focus coming back does not. The board
// cursor and the master volume live here too.
// Limits: the program's only scene; main thread only. Depends on: orvCamera,
// orvSprite, StatusPanel, PuzzleField, Input, the music and sound effects,
// MousePointer.
#pragma once

#include "app/Scene.h"

#include <cstdint>
#include <random>

class BestScores;
class BoardCursor;
class PuzzleField;
class SoundLevel;
class StatusPanel;
class orvCamera;
class orvSprite;

// The scene's own engine, seeded once from the system's random source before
// WinMain; only the music choice draws from it.
extern std::mt19937 sceneRandom;

class sceneMain : public Scene {
public:
    static constexpr int START_BUTTON = 15;
    static constexpr int FIRST_TRACK = 10;  // tracks 10–13 are chosen from; 14 never is
    static constexpr int TRACK_CHOICES = 4;
    static constexpr int BANNER_STEP = 40;  // pixels per tick while a round runs

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
    BoardCursor* boardCursor;
    SoundLevel* soundLevel;
    orvSprite* pauseCover;
    bool paused;

private:
    void startRound();
    void takeSoundRequests();
    // Whether this tick pauses or resumes; the requests are used up either way.
    bool pauseWanted();
    bool resumeWanted();
    void pause();
    void resume();
};
