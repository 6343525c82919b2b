// GameWindow.h — creating the game window (it becomes MainWindow once
// orvGraphics::Initialize records it) and its window procedure.
#pragma once

#include <windows.h>

constexpr int ClientWidth = 1280;
constexpr int ClientHeight = 1024;

HWND CreateMainWindow(HINSTANCE instance, int showCommand);
LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
