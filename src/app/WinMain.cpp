// WinMain.cpp — the entry point and the message loop. The loop handles one
// window message per pass; when none waits it runs the frame clock, and draws
// after a tick that is due and not too late. Logic is never skipped; drawing
// is. When no tick is due the loop sleeps until a message arrives or the next
// tick is due, whichever comes first; overdue ticks run back to back. The
// settings the player changed are written on a thread of their own once they
// are a second old, or, with no thread to be had, at the start of a wait that
// leaves time for a write (Settings::writeWhenDue).
// Before any of it, the command line is read: the options that answer at
// once (--help, --version, --reset-scores, --export-round, --verify, a bad
// option) never open the window.
#include "app/WinMain.h"

#include "app/BestScores.h"
#include "app/CommandLine.h"
#include "app/ConsoleReply.h"
#include "app/FrameClock.h"
#include "app/Fullscreen.h"
#include "app/GameWindow.h"
#include "app/RoundVerify.h"
#include "app/Scene.h"
#include "app/SaveFile.h"
#include "app/SaveFolders.h"
#include "app/RoundWatch.h"
#include "app/Settings.h"
#include "app/Systems.h"
#include "framework/graphics/orvGraphics.h"
#include "Version.h"

#include <mmsystem.h>

namespace {

constexpr int ExitBadCommandLine = 2;
constexpr const char* Caption = "Vantorel";

// What the command line asks for before the game starts; -1 to go on and
// play, otherwise the exit code.
int followCommandLine(const char* commandLine)
{
    const CommandLine options = parseCommandLine(commandLine);
    if (!options.error.empty()) {
        const std::string message = "vantorel: " + options.error + "\nTry 'vantorel --help' for the options.";
        MessageBoxA(nullptr, message.c_str(), Caption, MB_OK | MB_ICONERROR);
        return ExitBadCommandLine;
    }
    if (options.help) {
        MessageBoxA(nullptr, USAGE_TEXT, Caption, MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    if (options.version) {
        MessageBoxA(nullptr, VersionText, Caption, MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    if (options.scoresDirGiven) {
        saveFolders.where = SaveFolders::Where::Given;
        saveFolders.given = options.scoresDir;
    }
    // Before anything is started: the round plays with the game's null
    // members, no device, no window and no sound.
    if (!options.verifyFile.empty()) {
        const RoundVerdict verdict = verifyRoundFile(options.verifyFile);
        replyOnConsole(verdict.text, verdict.exitCode == ExitRoundUnreadable);
        return verdict.exitCode;
    }
    // A round to watch is read before the window opens, so that a file that
    // cannot be played says so and opens nothing.
    if (!options.watchFile.empty()) {
        RoundRecording recording;
        std::string problem;
        if (!readRoundFile(options.watchFile, recording, problem)) {
            replyOnConsole("vantorel: cannot watch '" + options.watchFile + "': " + problem, true);
            return ExitRoundUnreadable;
        }
        watchRequest = std::move(recording);
    }
    if (options.resetScores) {
        if (BestScores::resetAll()) return 0;
        MessageBoxA(nullptr, "vantorel: the best scores could not be emptied.", Caption, MB_OK | MB_ICONERROR);
        return 1;
    }
    if (options.exportPlace > 0) {
        BestScores scores;
        scores.load();
        const auto index = static_cast<size_t>(options.exportPlace - 1);
        const std::string entry = "entry " + std::to_string(options.exportPlace) + " of the best scores";
        std::string text, failure;
        DWORD error = ERROR_SUCCESS;
        if (index >= scores.table.entries.size()) failure = "there is no " + entry;
        else if (scores.table.entries[index].round.empty()) failure = entry + " has no round kept";
        else if (!scores.readRound(index, text))
            failure = "the round of " + entry + " (" + shownPath(scores.roundPath(index)) + ") could not be read";
        else if (!replaceSaveFile(options.exportFile, text, error))
            failure = shownPath(options.exportFile) + " could not be written (error " + std::to_string(error) + ")";
        if (failure.empty()) return 0;
        MessageBoxA(nullptr, ("vantorel: " + failure + ".").c_str(), Caption, MB_OK | MB_ICONERROR);
        return 1;
    }
    return -1;
}

void DrawFrame()
{
    orvGraphics::BeginFrame();
    if (sceneManager->scene) sceneManager->scene->Render();
    orvGraphics::EndFrame();
}

}  // namespace

bool MessageLoopPass()
{
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!GetMessageA(&msg, nullptr, 0, 0)) return false;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        return true;
    }
    if (Tick()) {
        if (sceneManager->drawThisFrame) DrawFrame();
        // A machine slower than the ticks never waits: there the settings
        // are written on their thread alone.
        settings.writeWhenDue(FrameClockNow(), 0);
    } else if (unsigned int wait = MillisecondsToNextTick()) {
        if (settings.writeWhenDue(FrameClockNow(), wait)) wait = MillisecondsToNextTick();
        if (wait) MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
    }
    return true;
}

namespace {

int RunGame(HINSTANCE instance, int showCommand)
{
    settings.load();
    HWND window = CreateMainWindow(instance, showCommand);
    // Without a window or a graphics device there is nothing to show: say so
    // in one line and leave through the normal shut-down. Without a window no
    // subsystem is started at all, so that nothing else reports its failure.
    if (!window) {
        OutputDebugStringA("Vantorel: the game window could not be created (is a display available?)\n");
        ShutdownSystems();
        return 1;
    }
    if (settings.fullscreen) SetFullscreen(window, true);
    InitSystems(window);
    if (!Device) {
        OutputDebugStringA("Vantorel: the graphics device could not be created; exiting.\n");
        ShutdownSystems();
        return 1;
    }
    while (MessageLoopPass()) {
    }
    ShutdownSystems();
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR commandLine, int showCommand)
{
    const int answered = followCommandLine(commandLine);
    if (answered >= 0) return answered;
    // Windows ends waits on a 15.6 ms timer by default: far too coarse for a
    // 16.7 ms frame. The finer timer holds for the life of the program.
    timeBeginPeriod(1);
    const int result = RunGame(instance, showCommand);
    timeEndPeriod(1);
    return result;
}
