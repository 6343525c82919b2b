// SystemSeed.cpp — rand_s behind one function, so that only this file needs
// the runtime's opt-in to declare it.
#ifndef _CRT_RAND_S
#define _CRT_RAND_S  // makes the runtime's stdlib.h declare rand_s on Windows
#endif
#include <stdlib.h>
#include <windows.h>

#include "framework/core/SystemSeed.h"

#include <random>

uint32_t seedFromSystem()
{
    unsigned int seed = 0;
    // The system source practically never fails; should it, the engine's
    // standard seed still gives a usable sequence instead of an unset value.
    if (rand_s(&seed) != 0) seed = std::mt19937::default_seed;
    return seed;
}
