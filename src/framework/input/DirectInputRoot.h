// DirectInputRoot.h — the process-wide DirectInput 8 interface and the list
// of attached game controllers, made at start-up and again whenever a device
// is plugged in or pulled out (Input::findPads). Only one listed pad is open
// at a time (by Input).
#pragma once

#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0800
#endif
#include <windows.h>
#include <dinput.h>

constexpr int PAD_LIST_SIZE = 4;

// Null when creating DirectInput failed: the game then runs on the keyboard.
extern IDirectInput8A* directInput;
extern DIDEVICEINSTANCEA padList[PAD_LIST_SIZE];
extern int padListCount;

// Start-up, after the main window exists and before Input is constructed:
// creates directInput and lists up to four attached game controllers.
void createDirectInput();
// Lists the attached game controllers again into padList.
void listPads();
// Shut-down, after Input is deleted.
void releaseDirectInput();
