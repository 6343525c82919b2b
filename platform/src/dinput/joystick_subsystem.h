// joystick_subsystem.h — bringing SDL's joystick and game-controller
// subsystems up and down for the DirectInput root and the headless host's
// virtual pads, and refreshing their state. Each start is counted by SDL and matched by one stop.
#pragma once

namespace layer::input {

// Starts SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER (a no-op beyond SDL's
// count when already up); false, with a trace, when SDL cannot start them.
bool startJoysticks();
void stopJoysticks();

// Picks up plugged and unplugged devices and the latest axis, hat and button
// values. The layer reads pads on demand, so SDL posts no joystick events.
void refreshJoysticks();

}  // namespace layer::input
