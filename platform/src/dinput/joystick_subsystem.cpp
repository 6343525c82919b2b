// joystick_subsystem.cpp — SDL's joystick and game-controller subsystems for
// the DirectInput layer. Pads are read whatever window SDL thinks has the
// keyboard focus: exclusive-foreground rules are the layer's own (device.cpp),
// judged on the game's window. Of SDL's joystick events only a device added
// or removed is kept. SDL reads the user's own controller mappings
// (SDL_GAMECONTROLLERCONFIG, SDL_GAMECONTROLLERCONFIG_FILE) when it starts.
#include "dinput/joystick_subsystem.h"

#include <windows.h>

#include <SDL.h>

#include <string>

namespace layer::input {

namespace {
constexpr Uint32 Subsystems = SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER;
}

bool startJoysticks()
{
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(Subsystems) != 0) {
        OutputDebugStringA(
            ("DirectInput: no game controllers, SDL joystick start failed: " + std::string(SDL_GetError()) + "\n")
                .c_str());
        return false;
    }
    SDL_JoystickEventState(SDL_IGNORE);
    SDL_GameControllerEventState(SDL_IGNORE);
    // Plugging and unplugging still arrive, as WM_DEVICECHANGE (messages.cpp).
    SDL_EventState(SDL_JOYDEVICEADDED, SDL_ENABLE);
    SDL_EventState(SDL_JOYDEVICEREMOVED, SDL_ENABLE);
    return true;
}

void stopJoysticks() { SDL_QuitSubSystem(Subsystems); }

void refreshJoysticks()
{
    if (SDL_WasInit(SDL_INIT_JOYSTICK)) SDL_JoystickUpdate();
}

}  // namespace layer::input
