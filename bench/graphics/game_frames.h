// game_frames.h — the real game that game_frames_bench.cpp runs in test mode;
// the other graphics benchmarks draw on its device.
#pragma once

// Starts the game once: window, device, every subsystem, the waiting scene.
void startBenchGame();
