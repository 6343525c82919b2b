// WinMain.cpp — the entry point and the message loop. The loop handles one
// window message per pass; when none waits it runs the frame clock, and draws
// after a tick that is due and not too late. Logic is never skipped; drawing
// is. When no tick is due the loop sleeps until a message arrives or the next
// tick is due, whichever comes first; overdue ticks run back to back.
#include "app/WinMain.h"

#include "app/FrameClock.h"
#include "app/MainWindow.h"
#include "app/Scene.h"
#include "app/Systems.h"
#include "framework/graphics/orvGraphics.h"

#include <mmsystem.h>

namespace {

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
    } else if (const unsigned int wait = MillisecondsToNextTick()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
    }
    return true;
}

namespace {

int RunGame(HINSTANCE instance, int showCommand)
{
    HWND window = CreateMainWindow(instance, showCommand);
    // Without a window or a graphics device there is nothing to show: say so
    // in one line and leave through the normal shut-down. Without a window no
    // subsystem is started at all, so that nothing else reports its failure.
    if (!window) {
        OutputDebugStringA("Vantorel: the game window could not be created (is a display available?)\n");
        ShutdownSystems();
        return 1;
    }
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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int showCommand)
{
    // Windows ends waits on a 15.6 ms timer by default: far too coarse for a
    // 16.7 ms frame. The finer timer holds for the life of the program.
    timeBeginPeriod(1);
    const int result = RunGame(instance, showCommand);
    timeEndPeriod(1);
    return result;
}
