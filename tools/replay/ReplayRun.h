// ReplayRun.h — one headless run of the real game: the layer in test mode
// with its virtual audio device, the real start-up, the real message loop
// driven pass by pass, the real shut-down.
//
// Ticks come from the game's own frame clock on the virtual clock: whenever
// the message queue is empty, the clock is moved on one millisecond at a
// time until the next tick is due, as it would be on a machine that is never
// slow. The script's events for tick T are applied once the clock has reached
// T's due time, just before its Tick (a stall then moves the clock further).
// Every pass in which the schedule moved ran one tick; its trace line is
// written after the pass, when the tick's frame, if any, has been drawn.
//
// Drawing follows the frame clock exactly (the scene's Render runs on every
// tick the clock draws), but the rasteriser only works for the ticks whose
// frames were asked for: for the others the device pointer is hidden for
// the pass, so Render runs through all its steps and every draw call does
// nothing, as without a device. Each frame starts by clearing the whole
// target, so a frame drawn after hidden ones is the frame a full run shows.
// Limits: one run per process (the game's globals). Depends on: the game
// (WinMain's MessageLoopPass, Systems, sceneMain), platform/testing.
#pragma once

#include "AudioRecorder.h"
#include "ReplayOptions.h"
#include "ReplayScript.h"
#include "SoundRequests.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

struct IDirect3DDevice9;
class sceneMain;

namespace replay {

class ReplayRun {
public:
    // Both seeds of `options` must be set; the run ends after tick `lastTick`
    // at the latest.
    ReplayRun(const ReplayOptions& options, std::vector<ScriptEvent> events, uint32_t lastTick, std::FILE* trace);
    // Start-up, the ticks, shut-down; the process exit status (0 when the
    // trace and every requested output were written).
    int run();

private:
    // run's steps: the frames folder and audio file asked for (false when
    // one cannot be made), the layer's test mode, seeds and save folders, the
    // message loop tick by tick, and the checks that every output was written.
    bool openOutputs();
    void prepareGame();
    void playTicks();
    void checkOutputs();

    void beforeTick();
    void afterPass();
    bool tickDue() const;
    void applyEvent(const ScriptEvent& event);
    void recordTick();
    void saveFrame(uint32_t tick, bool drawn);
    void fail(const std::string& message);

    const ReplayOptions& options_;
    std::vector<ScriptEvent> events_;
    size_t nextEvent_ = 0;
    uint32_t lastTick_;
    std::FILE* trace_;
    std::unique_ptr<AudioRecorder> audio_;
    SoundRequestRecorder sounds_;

    sceneMain* scene_ = nullptr;
    uint32_t ticksRun_ = 0;
    uint32_t eventsAppliedFor_ = 0;
    unsigned int lastNextTime_ = 0;
    int presentsSeen_ = 0;
    bool closeRequested_ = false;
    bool failed_ = false;
};

}  // namespace replay
