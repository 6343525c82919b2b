// FrameClock.h — the fixed-rate frame clock: one logic step every 16.7 ms,
// drawing given up when the machine falls behind.
#pragma once

// Frame times are unsigned 32-bit values in tenths of a millisecond.
constexpr unsigned int FramePeriod = 167;
constexpr unsigned int ResyncLimit = 2000;     // more than 200 ms behind: drop the backlog
constexpr unsigned int DrawLimit = 335;        // drawn only while less than 33.5 ms late
constexpr unsigned int SlowMotionExtra = 300;  // added per tick while left Control is held

// The current time in the frame clock's units: clock() × 10.
unsigned int FrameClockNow();

// Runs one logic step when one is due; true when it ran.
bool Tick();

// Milliseconds until the next tick is due, rounded up; 0 when one is due now.
unsigned int MillisecondsToNextTick();
