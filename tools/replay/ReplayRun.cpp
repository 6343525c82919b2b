// ReplayRun.cpp — the run's start-up, its pass-by-pass loop and its outputs.
#include "ReplayRun.h"

#include "TickSnapshot.h"

#include "app/FrameClock.h"
#include "app/GameWindow.h"
#include "app/SaveFolders.h"
#include "app/Settings.h"
#include "app/Scene.h"
#include "app/Systems.h"
#include "app/WinMain.h"
#include "app/sceneMain.h"
#include "game/PuzzleField.h"
#include "platform/testing.h"

#include <cstdint>
#include <filesystem>

namespace replay {

namespace {

std::string frameFileName(uint32_t tick)
{
    char name[32];
    std::snprintf(name, sizeof name, "tick-%06u.png", static_cast<unsigned>(tick));
    return name;
}

}  // namespace

ReplayRun::ReplayRun(const ReplayOptions& options, std::vector<ScriptEvent> events, uint32_t lastTick, std::FILE* trace)
    : options_(options), events_(std::move(events)), lastTick_(lastTick), trace_(trace)
{
}

void ReplayRun::fail(const std::string& message)
{
    std::fprintf(stderr, "vantorel-replay: %s\n", message.c_str());
    failed_ = true;
}

int ReplayRun::run()
{
    if (!openOutputs()) return 1;
    prepareGame();
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWDEFAULT);
    if (!window) {
        fail("the game window could not be created");
        return 1;
    }
    InitSystems(window);
    playTicks();
    if (audio_) audio_->catchUp(testmode::clockMs());
    ShutdownSystems();
    checkOutputs();
    return failed_ ? 1 : 0;
}

bool ReplayRun::openOutputs()
{
    if (!options_.framesDir.empty()) {
        std::error_code error;
        std::filesystem::create_directories(options_.framesDir, error);
        if (error) {
            fail("cannot create the frames folder " + options_.framesDir + ": " + error.message());
            return false;
        }
    }
    if (!options_.audioPath.empty()) {
        audio_ = std::make_unique<AudioRecorder>();
        if (!audio_->open(options_.audioPath)) {
            fail("cannot create the audio file " + options_.audioPath);
            return false;
        }
    }
    return true;
}

void ReplayRun::prepareGame()
{
    testmode::enable();
    // The real sound system, whether or not the audio is kept: the music
    // levels in the trace are those of real streams.
    testmode::enableAudioDevice(true);
    fieldRandom.seed(*options_.seedField);
    sceneRandom.seed(*options_.seedScene);
    // A replayed round keeps no best scores on disk unless a folder is given;
    // there the game reads its settings and keeps its table as it does in
    // the user's folders. Dates follow the virtual clock.
    if (options_.scoresDir.empty()) {
        saveFolders.where = SaveFolders::Where::Nowhere;
    } else {
        saveFolders.where = SaveFolders::Where::Given;
        saveFolders.given = options_.scoresDir;
        settings.load();
    }
    testmode::useVirtualDate();
}

void ReplayRun::playTicks()
{
    scene_ = sceneManager ? dynamic_cast<sceneMain*>(sceneManager->scene) : nullptr;
    if (!scene_) {
        fail("start-up installed no game scene");
        return;
    }
    lastNextTime_ = sceneManager->nextTime;
    presentsSeen_ = testmode::presentCount();
    sounds_.take();  // start-up's own, if any, belong to no tick
    testmode::onIdle([this] { beforeTick(); });
    while (MessageLoopPass()) afterPass();
    testmode::onIdle(nullptr);
}

void ReplayRun::checkOutputs()
{
    for (uint32_t tick : options_.frameTicks)
        if (tick > ticksRun_)
            fail("no frame for tick " + std::to_string(tick) + ": the run ended at tick " + std::to_string(ticksRun_));
    if (audio_ && !audio_->finish()) fail("the audio file " + options_.audioPath + " could not be written");
    if (std::fflush(trace_) != 0 || std::ferror(trace_)) fail("the trace could not be written");
}

bool ReplayRun::tickDue() const
{
    return static_cast<int32_t>(FrameClockNow() - sceneManager->nextTime) >= static_cast<int32_t>(FramePeriod);
}

// Runs whenever the loop finds no message waiting, right before its Tick.
void ReplayRun::beforeTick()
{
    if (audio_) audio_->catchUp(testmode::clockMs());
    if (ticksRun_ >= lastTick_) {
        if (closeRequested_) {
            // The close box should have ended the loop; leave it regardless.
            fail("the game did not quit on the close box");
            PostQuitMessage(0);
            return;
        }
        testmode::clickCloseBox();
        closeRequested_ = true;
        return;
    }
    const uint32_t next = ticksRun_ + 1;
    while (!tickDue()) testmode::advanceClock(1);
    if (eventsAppliedFor_ != next) {
        eventsAppliedFor_ = next;
        while (nextEvent_ < events_.size() && events_[nextEvent_].tick == next) applyEvent(events_[nextEvent_++]);
    }
    testmode::setDrawing(options_.frameTicks.contains(next));
}

void ReplayRun::applyEvent(const ScriptEvent& event)
{
    switch (event.kind) {
    case ScriptEvent::Kind::Key: testmode::postKey(event.key, event.down); break;
    case ScriptEvent::Kind::Mouse: testmode::setMouse(event.x, event.y); break;
    case ScriptEvent::Kind::Button:
        testmode::setKey(event.button == ScriptEvent::MouseButton::Left ? VK_LBUTTON : VK_RBUTTON, event.down);
        break;
    case ScriptEvent::Kind::Focus: testmode::setFocus(event.down); break;
    case ScriptEvent::Kind::Stall: testmode::advanceClock(event.stallMs); break;
    case ScriptEvent::Kind::Close: testmode::clickCloseBox(); break;
    }
}

void ReplayRun::afterPass()
{
    if (sceneManager->nextTime != lastNextTime_) {
        lastNextTime_ = sceneManager->nextTime;
        recordTick();
    }
    presentsSeen_ = testmode::presentCount();
}

void ReplayRun::recordTick()
{
    ++ticksRun_;
    const bool drawn = sceneManager->drawThisFrame != 0;
    TickRecord record = snapshotTick(ticksRun_, drawn, *scene_);
    SoundRequests sounds = sounds_.take();
    record.effects = std::move(sounds.effects);
    record.music = std::move(sounds.music);
    const std::string line = traceLine(record);
    std::fwrite(line.data(), 1, line.size(), trace_);
    if (options_.frameTicks.contains(ticksRun_)) saveFrame(ticksRun_, drawn);
}

void ReplayRun::saveFrame(uint32_t tick, bool drawn)
{
    const std::string number = std::to_string(tick);
    if (!drawn) {
        fail("no frame for tick " + number + ": the frame clock did not draw it");
        return;
    }
    if (testmode::presentCount() == presentsSeen_) {
        fail("no frame for tick " + number + ": its drawing presented nothing");
        return;
    }
    const std::string path = (std::filesystem::path(options_.framesDir) / frameFileName(tick)).string();
    if (!testmode::saveCapturedFrame(path.c_str())) fail("the frame " + path + " could not be written");
}

}  // namespace replay
