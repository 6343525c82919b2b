// GameWindow.h — creating the game window (it becomes MainWindow once
// orvGraphics::Initialize records it), its window procedure, and switching it
// between the framed window and borderless full-screen on its monitor (F11 or
// Alt+Enter; the choice is kept in the settings).
#pragma once

#include <windows.h>

constexpr int ClientWidth = 1280;
constexpr int ClientHeight = 1024;

HWND CreateMainWindow(HINSTANCE instance, int showCommand);
LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Full-screen covers the monitor the window is on with a frameless popup;
// back in the window, the window returns to where it was. Does nothing when
// the window is already so.
void SetFullscreen(HWND window, bool on);
