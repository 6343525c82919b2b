// SystemSeed.h — one 32-bit seed from the runtime's non-deterministic random
// source (rand_s), for the game's engines seeded before WinMain.
// Limits: safe during static initialisation. Depends on: rand_s.
#pragma once

#include <cstdint>

uint32_t seedFromSystem();
