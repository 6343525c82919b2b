// FrameClock.cpp — Tick: decides whether a frame is due, whether it is drawn,
// and runs its logic (input, then the scene's Update); and how long the loop
// may wait before the next one is due.
//
// The time value wraps after 2^32 units (about 4.97 days); the schedule
// compares differences, never absolute values, so it runs on across the wrap.
#include "app/FrameClock.h"

#include "app/Scene.h"
#include "framework/input/Input.h"

#include <windows.h>

#include <cstdint>
#include <ctime>

unsigned int FrameClockNow() { return static_cast<unsigned int>(clock() * 10); }

bool Tick()
{
    SceneManager* manager = sceneManager;
    if (!manager) return false;
    const unsigned int now = FrameClockNow();
    // Signed difference: negative while the schedule is ahead of now.
    if (static_cast<int32_t>(now - manager->nextTime) < static_cast<int32_t>(FramePeriod)) return false;
    const unsigned int late = now - manager->nextTime;
    if (late > ResyncLimit) manager->nextTime = now;
    manager->drawThisFrame = late < DrawLimit ? 1 : 0;
    if (GetKeyState(VK_LCONTROL) & 0x8000) manager->nextTime += SlowMotionExtra;
    manager->nextTime += FramePeriod;
    if (input) input->update();
    if (manager->scene) manager->scene->Update();
    return true;
}

unsigned int MillisecondsToNextTick()
{
    const SceneManager* manager = sceneManager;
    if (!manager) return 0;
    // Signed, as in Tick: zero or negative once the next tick is due.
    const int32_t left = static_cast<int32_t>(manager->nextTime + FramePeriod - FrameClockNow());
    return left > 0 ? (static_cast<unsigned int>(left) + 9) / 10 : 0;
}
