// sceneMain.cpp — the game scene's set-up, its tick, its drawn frame and its
// teardown. A round starts on the press edge of the start button only, so a
// button held through the end of a round does not start the next one; the
// music goes on after a round ends, until the next start or the teardown.
#include "app/sceneMain.h"

#include "app/BestScores.h"
#include "app/MousePointer.h"
#include "app/PlayerRequests.h"
#include "app/SoundLevel.h"
#include "framework/Destroy.h"
#include "framework/core/SystemSeed.h"
#include "framework/graphics/Light.h"
#include "framework/graphics/orvCamera.h"
#include "framework/graphics/orvGraphics.h"
#include "framework/graphics/orvSprite.h"
#include "framework/input/Input.h"
#include "framework/sound/MusicStream.h"
#include "framework/sound/SoundCatalogue.h"
#include "framework/sound/SoundSystem.h"
#include "game/BestScoresPanel.h"
#include "game/BoardCursor.h"
#include "game/PuzzleField.h"
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

sceneMain::sceneMain()
    : camera(nullptr), panel(nullptr), startOverlay(nullptr), field(nullptr), playing(false), overlayOffset(0),
      bestScores(nullptr), roundChain(0), scoresPanel(nullptr), tableShown(false), tableKeyHeld(false),
      tablePadHeld(false), boardCursor(nullptr), soundLevel(nullptr), pauseCover(nullptr), paused(false)
{
}

sceneMain::~sceneMain()
{
    destroy(camera);
    // The field's teardown stops the music before shut-down ends the threads.
    destroy(field);
    destroy(panel);
    destroy(startOverlay);
    destroy(bestScores);
    destroy(scoresPanel);
    destroy(boardCursor);
    destroy(soundLevel);
    destroy(pauseCover);
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
    scoresPanel = new BestScoresPanel();
    boardCursor = new BoardCursor();
    field->boardCursor = boardCursor;
    soundLevel = new SoundLevel();
    pauseCover = new orvSprite("DATA/UI/paused.png");
    return true;
}

void sceneMain::startRound()
{
    field->resetRound();
    stopMusic();
    // One engine output per start; the track may repeat the previous one.
    std::uniform_int_distribution<int> trackChoice(FIRST_TRACK, FIRST_TRACK + TRACK_CHOICES - 1);
    const int track = trackChoice(sceneRandom);
    playMusic(track);
    setMusicVolume(MusicLevel);
    playSoundEffect(SE_START);
    // The screen stays on while a round runs, and only then: not while the
    // game waits for Space or stands paused.
    SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED);
    playing = true;
    roundChain = 0;
    tableShown = false;
}

// The press edge of Tab or of the pad's back button, each kept on its own:
// the pad's raw button is read alone because its logical button is shared
// with Return.
bool sceneMain::tableButtonPressed()
{
    const bool keyDown = GetAsyncKeyState(VK_TAB) < 0;
    const bool padDown = input && (input->padButtons[TABLE_PAD_BUTTON] & 1) != 0;
    const bool pressed = (keyDown && !tableKeyHeld) || (padDown && !tablePadHeld);
    tableKeyHeld = keyDown;
    tablePadHeld = padDown;
    return pressed;
}

void sceneMain::Update()
{
    roundInput = RoundInput::sample();
    takeSoundRequests();
    soundLevel->update();
    const bool tableAsked = tableButtonPressed();
    if (paused) {
        if (resumeWanted()) resume();
        return;
    }
    if (pauseWanted()) {
        pause();
        return;
    }
    boardCursor->update();
    if (input && input->buttons[START_BUTTON] == BTN_PRESSED && !playing) startRound();
    if (!playing) {
        overlayOffset = 0;
        if (tableAsked) tableShown = !tableShown;
        // Between rounds only, so that a late save never holds up a round.
        bestScores->update();
        return;
    }
    overlayOffset += BANNER_STEP;
    // The panel shows the field as the previous tick left it.
    panel->Update(*field);
    playing = !field->update();
    if (field->chain > roundChain) roundChain = field->chain;
    if (!playing) {
        bestScores->record(field->score, roundChain);
        SetThreadExecutionState(ES_CONTINUOUS);
    }
}

void sceneMain::takeSoundRequests()
{
    for (; playerRequests.muteToggles > 0; --playerRequests.muteToggles) soundLevel->toggleMute();
    if (playerRequests.volumeSteps != 0) soundLevel->change(playerRequests.volumeSteps);
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
    startOverlay->Draw(overlayOffset + BannerX, BannerY, BannerWidth, BannerHeight, 0, 0, BannerWidth, BannerHeight,
                       0.0f);
    // No thinking time for free: a paused board is hidden.
    if (paused) pauseCover->Draw(0, 0, BoardSide, BoardSide, 0, 0, BoardSide, BoardSide, 0.0f);
    // With the banner back in place between rounds.
    if (!playing && overlayOffset == 0) {
        if (tableShown) scoresPanel->drawTable(bestScores->table, bestScores->lastPlace);
        else scoresPanel->drawBest(bestScores->table, bestScores->lastPlace);
    }
    soundLevel->draw();
    MousePointer::Draw();
}
