// WinMain.h — the program's entry and its message loop.
#pragma once

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

// One pass of the message loop: handles one waiting window message, or runs
// a tick and draws it when it is due, or else waits until a message arrives
// or the next tick is due. False once the quit message arrived.
bool MessageLoopPass();
