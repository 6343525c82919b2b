// power.cpp — SetThreadExecutionState: ES_CONTINUOUS with ES_DISPLAY_REQUIRED
// holds the screen saver and the display's power saving off (SDL's
// SDL_DisableScreenSaver), ES_CONTINUOUS alone lets them be again. A call
// without ES_CONTINUOUS only resets Windows' idle timers once; SDL has no such
// thing, so it changes nothing here. Without video (no window yet, or none at
// all) the state is kept and applies to nothing.
#include <windows.h>

#include <SDL.h>

#include <atomic>

namespace {

std::atomic<EXECUTION_STATE> continuousState{ES_CONTINUOUS};

}  // namespace

EXECUTION_STATE SetThreadExecutionState(EXECUTION_STATE flags)
{
    if (flags & ~(ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED)) return 0;
    if (!(flags & ES_CONTINUOUS)) return continuousState.load();
    const EXECUTION_STATE previous = continuousState.exchange(flags);
    if (flags & ES_DISPLAY_REQUIRED) SDL_DisableScreenSaver();
    else SDL_EnableScreenSaver();
    return previous;
}
