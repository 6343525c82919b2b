// sceneMain.cpp — the game scene's set-up, its tick, its drawn frame and its
// teardown. A round starts on the press edge of the start button only, so a
// button held through the end of a round does not start the next one; the
// music goes on after a round ends, until the next start or the teardown.
#include "app/sceneMain.h"

#include "app/BestScores.h"
#include "app/MousePointer.h"
#include "app/PlayerRequests.h"
#include "app/RoundWatch.h"
#include "app/SoundLevel.h"
#include "app/SoundLevelDisplay.h"
#include "framework/Destroy.h"
#include "framework/core/MainWindow.h"
#include "framework/core/SystemSeed.h"
#include "framework/graphics/Light.h"
#include "framework/graphics/orvCamera.h"
#include "framework/graphics/orvGraphics.h"
#include "framework/graphics/orvSprite.h"
#include "framework/input/Input.h"
#include "framework/sound/MusicStream.h"
#include "framework/sound/SoundCatalogue.h"
#include "framework/sound/SoundPause.h"
#include "framework/sound/SoundSystem.h"
#include "game/BestScoresPanel.h"
#include "game/BoardCursor.h"
#include "game/PuzzleField.h"
#include "game/ReplayMark.h"
#include "game/RoundFile.h"
#include "game/RoundInput.h"
#include "game/StatusPanel.h"

#include <bit>

namespace {

constexpr float MusicLevel = 0.7f;
constexpr int BannerX = 128;
constexpr int BannerY = 450;
constexpr int BannerWidth = 1024;
constexpr int BannerHeight = 128;
constexpr int BoardSide = 1024;

void setRenderState(D3DRENDERSTATETYPE state, DWORD value)
{
    if (Device) Device->SetRenderState(state, value);
}

}  // namespace

std::mt19937 sceneRandom{seedFromSystem()};

namespace {

// The press edge of a key or of one of the pad's own buttons, each followed
// through its own held flag.
bool keyOrPadPressed(int key, int padButton, bool& keyHeld, bool& padHeld)
{
    const bool keyDown = GetAsyncKeyState(key) < 0;
    const bool padDown = input && (input->padButtons[padButton] & 1) != 0;
    const bool pressed = (keyDown && !keyHeld) || (padDown && !padHeld);
    keyHeld = keyDown;
    padHeld = padDown;
    return pressed;
}

}  // namespace

sceneMain::sceneMain()
    : camera(nullptr), panel(nullptr), startOverlay(nullptr), field(nullptr), playing(false), overlayOffset(0),
      bestScores(nullptr), roundChain(0), scoresPanel(nullptr), tableShown(false), dayTableShown(false),
      tableKeyHeld(false), tablePadHeld(false), boardCursor(nullptr), soundLevel(nullptr), soundLevelDisplay(nullptr),
      pauseCover(nullptr), paused(false), dayScores(nullptr), dayBanner(nullptr), dayRandom(0), dayRound(false),
      watch(nullptr), quitAfterWatch(false), replayMark(nullptr), watchTicks(0), watchHeld(-1), idleTicks(0),
      tableChoice(-1), watchKeyHeld(false), watchPadHeld(false)
{
}

sceneMain::~sceneMain()
{
    if (watch) {
        quitAfterWatch = false;
        endWatch();
    }
    destroy(camera);
    // The field's teardown stops the music before shut-down ends the threads.
    destroy(field);
    destroy(panel);
    destroy(startOverlay);
    destroy(bestScores);
    destroy(dayScores);
    destroy(dayBanner);
    destroy(scoresPanel);
    destroy(boardCursor);
    destroy(soundLevel);
    destroy(soundLevelDisplay);
    destroy(pauseCover);
    destroy(replayMark);
}

bool sceneMain::Initialize()
{
    setRenderState(D3DRS_AMBIENT, 0x00404040);
    setRenderState(D3DRS_FOGENABLE, TRUE);
    setRenderState(D3DRS_FOGCOLOR, 0);
    setRenderState(D3DRS_FOGVERTEXMODE, D3DFOG_NONE);
    setRenderState(D3DRS_FOGTABLEMODE, D3DFOG_LINEAR);
    setRenderState(D3DRS_FOGSTART, std::bit_cast<DWORD>(800.0f));
    setRenderState(D3DRS_FOGEND, std::bit_cast<DWORD>(1000.0f));

    float direction[3] = {1.0f, -1.0f, -0.5f};
    SetDirectionalLight(direction, 0.8f, 0.8f, 0.8f);

    camera = new orvCamera();
    camera->eye = D3DXVECTOR3(0.0f, 3.0f, 5.0f);
    camera->target = D3DXVECTOR3(0.0f, 3.0f, 0.0f);

    panel = new StatusPanel();
    // A new field shows a board and counts as a finished round: nothing
    // moves until the first start.
    field = new PuzzleField();
    startOverlay = new orvSprite("DATA/gamestart.png");
    bestScores = new BestScores();
    bestScores->load();
    dayScores = new BestScores(dayOfRoundToday());
    dayScores->load();
    scoresPanel = new BestScoresPanel();
    boardCursor = new BoardCursor();
    field->boardCursor = boardCursor;
    soundLevel = new SoundLevel();
    soundLevelDisplay = new SoundLevelDisplay();
    pauseCover = new orvSprite("DATA/UI/paused.png");
    dayBanner = new orvSprite("DATA/UI/dayround.png");
    replayMark = new ReplayMark();
    if (watchRequest) {
        quitAfterWatch = true;
        startWatch(std::move(*watchRequest));
        watchRequest.reset();
    }
    return true;
}

uint32_t dayOfRoundToday()
{
    SYSTEMTIME now{};
    GetSystemTime(&now);
    return uint32_t{now.wYear} * 10000 + uint32_t{now.wMonth} * 100 + now.wDay;
}

// A round of the day starts from the day's seed with nothing carried over
// from earlier rounds; the scene's engine still chooses the track.
void sceneMain::startRound(uint32_t day)
{
    dayRound = day != 0;
    if (dayRound) {
        dayRandom.seed(day);
        field->random = &dayRandom;
        field->changeCount = 0;
        pendingStart.seed = day;
        pendingStart.drawn = 0;
        pendingStart.changeCount = 0;
        pendingStart.day = day;
        if (dayScores->day() != day) {
            destroy(dayScores);
            dayScores = new BestScores(day);
            dayScores->load();
        }
    } else {
        field->random = &fieldRandom;
    }
    field->resetRound();
    stopMusic();
    // One engine output per start; the track may repeat the previous one.
    std::uniform_int_distribution<int> trackChoice(FIRST_TRACK, FIRST_TRACK + TRACK_CHOICES - 1);
    const int track = trackChoice(sceneRandom);
    pendingStart.track = track;
    if (pendingStart.drawn <= MAX_DRAWN_BEFORE_ROUND) recorder.begin(pendingStart);
    else OutputDebugStringA("Vantorel: this round is not recorded (the board has drawn too much since start-up).\n");
    playMusic(track);
    setMusicVolume(MusicLevel);
    playSoundEffect(SE_START);
    // The screen stays on while a round runs, and only then: not while the
    // game waits for Space or stands paused.
    SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED);
    playing = true;
    roundChain = 0;
    tableShown = false;
    dayTableShown = false;
}

// The press edge of Tab or of the pad's back button, each kept on its own:
// the pad's raw button is read alone because its logical button is shared
// with Return.
bool sceneMain::tableButtonPressed() { return keyOrPadPressed(VK_TAB, TABLE_PAD_BUTTON, tableKeyHeld, tablePadHeld); }

void sceneMain::Update()
{
    const RoundInput live = RoundInput::sample();
    const RoundInput previous = lastLive;
    lastLive = live;
    roundInput = live;
    const bool acted = playerActed(live, previous);
    if (watch && updateWatch(acted)) return;
    takeSoundRequests();
    soundLevelDisplay->update();
    const bool tableAsked = tableButtonPressed();
    if (paused) {
        if (resumeWanted()) resume();
        return;
    }
    if (pauseWanted()) {
        pause();
        return;
    }
    const bool cursorWasShown = boardCursor->shown;
    if (!playing) pendingStart = roundStartOf(fieldRandom, *field, *boardCursor, 0);
    boardCursor->update();
    const bool dayAsked = playerRequests.dayRound || (input && input->padButtons[DAY_PAD_BUTTON] == BTN_PRESSED);
    playerRequests.dayRound = false;
    if (input && input->buttons[START_BUTTON] == BTN_PRESSED && !playing) startRound(0);
    else if (dayAsked && !playing) startRound(dayOfRoundToday());
    if (!playing) {
        overlayOffset = 0;
        // Tab goes from the best scores to the day's table, then closes.
        if (tableAsked) {
            dayTableShown = tableShown && !dayTableShown;
            tableShown = !tableShown || dayTableShown;
            tableChoice = -1;
        }
        // Between rounds only, so that a late save never holds up a round.
        bestScores->update();
        if (dayScores) dayScores->update();
        updateWaiting(acted, live, previous);
        return;
    }
    idleTicks = 0;
    recorder.tick(roundInput, cursorWasShown);
    overlayOffset += BANNER_STEP;
    // The panel shows the field as the previous tick left it.
    panel->Update(*field);
    playing = !field->update();
    if (field->chain > roundChain) roundChain = field->chain;
    if (!playing) finishRound();
}

void sceneMain::finishRound()
{
    const bool recorded = recorder.active();
    const RoundRecording recording = recorder.finish(field->score, roundChain);
    BestScores* table = dayRound ? dayScores : bestScores;
    table->record(field->score, roundChain, recorded ? formatRoundFile(recording) : std::string());
    SetThreadExecutionState(ES_CONTINUOUS);
}

// Something new from the player: a key pressed, the mouse moved, a button,
// direction or the stick pressed. Input only held since before is not new,
// so the press that starts a watch does not end it.
bool sceneMain::playerActed(const RoundInput& live, const RoundInput& previous)
{
    bool acted = playerRequests.keyPresses > 0;
    playerRequests.keyPresses = 0;
    if (live.pointerKnown != previous.pointerKnown || live.pointerX != previous.pointerX ||
        live.pointerY != previous.pointerY)
        acted = true;
    if ((live.leftDown && !previous.leftDown) || (live.rightDown && !previous.rightDown)) acted = true;
    if ((live.buttons & ~previous.buttons) != 0 || (live.stick & ~previous.stick) != 0) acted = true;
    if (input)
        for (int i = 0; i < BUTTON_COUNT; ++i)
            if (input->buttons[i] == BTN_PRESSED || input->padButtons[i] == BTN_PRESSED) acted = true;
    return acted;
}

// Anything held down: a player holding a key is not idle.
bool sceneMain::playerHolds(const RoundInput& live) const
{
    if (live.leftDown || live.rightDown || live.buttons != 0 || live.stick != 0) return true;
    if (input)
        for (int i = 0; i < BUTTON_COUNT; ++i)
            if ((input->buttons[i] & 1) || (input->padButtons[i] & 1)) return true;
    return false;
}

// The press edge of Return or of the pad's south button, each on its own.
bool sceneMain::watchButtonPressed()
{
    return keyOrPadPressed(VK_RETURN, WATCH_PAD_BUTTON, watchKeyHeld, watchPadHeld);
}

// Waiting for Space: the idle count that starts the best round, and the
// shown table's choice of an entry to watch.
void sceneMain::updateWaiting(bool acted, const RoundInput& live, const RoundInput& previous)
{
    idleTicks = acted || playerHolds(live) ? 0 : idleTicks + 1;
    const bool watchAsked = watchButtonPressed();
    if (!tableShown) {
        tableChoice = -1;
    } else {
        const int entries = static_cast<int>(shownScores().table.entries.size());
        const bool upPressed = live.directionHeld(PAD_UP) && !previous.directionHeld(PAD_UP);
        const bool downPressed = live.directionHeld(PAD_DOWN) && !previous.directionHeld(PAD_DOWN);
        // Nothing is chosen until a direction or the pointer chooses; the
        // first direction chooses the best round.
        if (upPressed) tableChoice = tableChoice > 0 ? tableChoice - 1 : 0;
        if (downPressed) tableChoice = tableChoice < 0 ? 0 : tableChoice + 1;
        const int pointed = live.pointerKnown ? scoresPanel->entryAt(live.pointerX, live.pointerY) : -1;
        const bool pointerMoved = live.pointerX != previous.pointerX || live.pointerY != previous.pointerY;
        const bool onEntry = pointed >= 0 && pointed < entries;
        if (onEntry && pointerMoved) tableChoice = pointed;
        const bool clicked = live.leftDown && !previous.leftDown && onEntry;
        if (clicked) tableChoice = pointed;
        if (tableChoice >= entries) tableChoice = entries - 1;
        // Return with nothing chosen watches the best round.
        const int watched = tableChoice >= 0 ? tableChoice : 0;
        if ((watchAsked || clicked) && watched < entries && watchEntry(shownScores(), static_cast<size_t>(watched)))
            return;
    }
    if (idleTicks >= IDLE_TICKS) {
        idleTicks = 0;
        if (!bestScores->table.entries.empty()) watchEntry(*bestScores, 0);
    }
}

BestScores& sceneMain::shownScores() { return dayTableShown ? *dayScores : *bestScores; }

bool sceneMain::watchEntry(BestScores& scores, size_t index)
{
    std::string text;
    if (!scores.readRound(index, text)) return false;
    RoundFileRead read = parseRoundFile(text);
    if (read.status != RoundFileStatus::Read) {
        const std::string message = "Vantorel: a kept round could not be played: " + read.message + "\n";
        OutputDebugStringA(message.c_str());
        return false;
    }
    return startWatch(std::move(read.recording));
}

bool sceneMain::startWatch(RoundRecording recording)
{
    if (watch || playing) return false;
    watch = new RoundWatch(std::move(recording));
    std::swap(field, watch->field);
    std::swap(panel, watch->panel);
    std::swap(boardCursor, watch->cursor);
    stopMusic();
    playMusic(watch->recording().start.track);
    setMusicVolume(MusicLevel);
    playSoundEffect(SE_START);
    overlayOffset = 0;
    watchTicks = 0;
    watchHeld = -1;
    return true;
}

// Space ends the watch and the tick goes on to start a round; any other
// input ends it at once and is used up. Requests heard meanwhile (pause,
// the sound keys) are dropped: watching changes no setting.
bool sceneMain::updateWatch(bool acted)
{
    const bool startPressed = input && input->buttons[START_BUTTON] == BTN_PRESSED;
    if (startPressed && !quitAfterWatch) {
        endWatch();
        return false;
    }
    const bool focusLost = playerRequests.focusLost;
    playerRequests = PlayerRequests{};
    tableButtonPressed();
    watchButtonPressed();
    soundLevelDisplay->update();
    if ((acted || focusLost) && !quitAfterWatch) {
        endWatch();
        return true;
    }
    ++watchTicks;
    // The round's end stays on the board for a moment.
    if (watchHeld >= 0) {
        if (++watchHeld >= WATCH_HOLD_TICKS) endWatch();
        return true;
    }
    roundInput = watch->nextInput();
    boardCursor->update();
    overlayOffset += BANNER_STEP;
    panel->Update(*field);
    if (field->update()) watchHeld = 0;
    return true;
}

void sceneMain::endWatch()
{
    std::swap(field, watch->field);
    std::swap(panel, watch->panel);
    std::swap(boardCursor, watch->cursor);
    destroy(watch);
    roundInput = lastLive;
    overlayOffset = 0;
    idleTicks = 0;
    if (quitAfterWatch) PostMessageA(MainWindow, WM_CLOSE, 0, 0);
}

void sceneMain::takeSoundRequests()
{
    for (; playerRequests.muteToggles > 0; --playerRequests.muteToggles) {
        soundLevel->toggleMute();
        soundLevelDisplay->show();
    }
    if (playerRequests.volumeSteps != 0) {
        soundLevel->change(playerRequests.volumeSteps);
        soundLevelDisplay->show();
    }
    playerRequests.volumeSteps = 0;
}

// The pad's start button is read from the pad alone: logical button 15 is
// also Space, which starts a round and never pauses one.
bool sceneMain::pauseWanted()
{
    const bool padStart = input && input->pad && input->padButtons[START_BUTTON] == BTN_PRESSED;
    const bool wanted = playing && (playerRequests.pause || playerRequests.focusLost || padStart);
    playerRequests.pause = false;
    playerRequests.focusLost = false;
    return wanted;
}

bool sceneMain::resumeWanted()
{
    const bool wanted = playerRequests.pause || (input && input->buttons[START_BUTTON] == BTN_PRESSED);
    playerRequests.pause = false;
    playerRequests.focusLost = false;
    return wanted;
}

void sceneMain::pause()
{
    paused = true;
    pauseSounds();
    SetThreadExecutionState(ES_CONTINUOUS);
}

void sceneMain::resume()
{
    paused = false;
    resumeSounds();
    SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED);
}

void sceneMain::Render()
{
    camera->Activate();
    if (Device) Device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    field->draw();
    panel->Draw();
    if (!paused) boardCursor->draw();
    // A round of the day names its mode on the banner that slides away.
    orvSprite* banner = playing && dayRound ? dayBanner : startOverlay;
    banner->Draw(overlayOffset + BannerX, BannerY, BannerWidth, BannerHeight, 0, 0, BannerWidth, BannerHeight, 0.0f);
    // No thinking time for free: a paused board is hidden.
    if (paused) pauseCover->Draw(0, 0, BoardSide, BoardSide, 0, 0, BoardSide, BoardSide, 0.0f);
    // With the banner back in place between rounds.
    if (!playing && !watch && overlayOffset == 0) {
        // After a round of the day, its place in the day's table.
        const BestScores& best = dayRound ? *dayScores : *bestScores;
        if (tableShown)
            scoresPanel->drawTable(shownScores().table, shownScores().lastPlace, tableChoice,
                                   dayTableShown ? TableKind::Day : TableKind::Best);
        else scoresPanel->drawBest(best.table, best.lastPlace);
    }
    if (watch) replayMark->draw(watchTicks);
    soundLevelDisplay->draw();
    // A watched round shows the pointer where it was.
    MousePointer::Draw(watch ? &watch->input() : nullptr);
}
