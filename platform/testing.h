// testing.h — the platform layer's test mode, for tests and tools only (the
// game's code never includes it). Test code switches test mode on before
// start-up; from then on the layer runs headless on a virtual clock with
// injected input, and captures what the game draws and plays.
// Each platform area adds its controls in platform/testing/<area>.h.
#pragma once

#include "platform/testing/core.h"
#if __has_include("platform/testing/graphics.h")
#include "platform/testing/graphics.h"
#endif
#if __has_include("platform/testing/sound.h")
#include "platform/testing/sound.h"
#endif
#include "platform/testing/files.h"
#if __has_include("platform/testing/input.h")
#include "platform/testing/input.h"
#endif
