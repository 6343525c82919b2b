// Systems.h — start-up and shut-down of every subsystem, in their fixed
// orders.
#pragma once

#include <windows.h>

// Brings the subsystems up for the game window and installs the game scene.
bool InitSystems(HWND window);
// Releases everything InitSystems created, in its fixed order.
void ShutdownSystems();
