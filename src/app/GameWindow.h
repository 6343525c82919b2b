// GameWindow.h — creating the game window (it becomes MainWindow once
// orvGraphics::Initialize records it) and its window procedure; Fullscreen
// switches it to full-screen and back.
#pragma once

#include <windows.h>

constexpr int ClientWidth = 1280;
constexpr int ClientHeight = 1024;
// Windows gives every top-level window with a system menu a title bar, so the
// rectangle is grown for the style the window really gets; growing it for
// WS_SYSMENU alone leaves the client area a caption's height short.
constexpr DWORD WindowStyle = WS_CAPTION | WS_SYSMENU;

HWND CreateMainWindow(HINSTANCE instance, int showCommand);
LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
