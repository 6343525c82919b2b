// PlayerRequests.h — what the window procedure hears for the game scene
// between two ticks: the pause keys, the window losing the focus or being
// minimised, the sound keys, the round of the day's key, and that a key was
// pressed at all. Keys come from WM_KEYDOWN, so they are the
// keys the player's layout puts on the caps (P, M, T, minus, plus), not places
// on the keyboard; a key's auto-repeat counts once. The scene takes them at
// its next Update.
// Limits: main thread. Depends on: the window messages only.
#pragma once

#include <windows.h>

// Bit 30 of a key message's lParam: the key was already down (a repeat).
constexpr LPARAM KeyWasDown = LPARAM(1) << 30;

struct PlayerRequests {
    bool pause = false;      // P or Pause pressed
    bool focusLost = false;  // the window was deactivated, lost the focus or was minimised
    int volumeSteps = 0;     // one down per minus, one up per plus (main row or keypad)
    int muteToggles = 0;     // M presses
    bool dayRound = false;   // T pressed: the round of the day
    int keyPresses = 0;      // every key pressed (auto-repeats left out), whatever it does
};

extern PlayerRequests playerRequests;

// The window procedure's share of a message: true when it was a key the
// game takes; focus and size messages are noted and still go on to the
// default handling.
bool hearPlayerRequest(UINT message, WPARAM wParam, LPARAM lParam);
// Counts a key press of any kind, before the window procedure acts on it.
void countKeyPress(UINT message, LPARAM lParam);
