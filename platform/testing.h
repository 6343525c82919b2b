// testing.h — the platform layer's test mode, for tests and tools only (the
// game's code never includes it, and the game links none of it). Test code
// switches test mode on before start-up: that puts the headless host in
// charge (platform/src/host/headless/), so the layer runs on a virtual clock
// with injected input, and captures what the game draws and plays.
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
