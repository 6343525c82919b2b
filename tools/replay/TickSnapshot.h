// TickSnapshot.h — reads the state a tick left behind into a TickRecord: the
// scene's round flag and banner offset, the field's board and turn-cycle
// values, the four arrow globals, the panel's shown score and the digits of
// its three counters.
// Limits: reads only; call between ticks on the main thread. Depends on:
// sceneMain, PuzzleField, StatusPanel, DigitCounter.
#pragma once

#include "TickRecord.h"

class sceneMain;

namespace replay {

TickRecord snapshotTick(uint32_t tick, bool drawn, const sceneMain& scene);

}  // namespace replay
