// instance.cpp — the machine's host on the desktop: the sdl host (the
// browser build has the web host in its place, host/web/).
#include "host/sdl/sdl.h"

namespace layer::host {

Host& sdlHost()
{
    static SdlHost sdl;
    return sdl;
}

}  // namespace layer::host
