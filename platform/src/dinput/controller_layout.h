// controller_layout.h — the fixed DirectInput layout of a controller that
// SDL's game-controller database recognises (see controller_layout.cpp for
// the order of axes and buttons).
#pragma once

#include "dinput/pad_source.h"

#include <vector>

struct _SDL_GameController;

namespace layer::input {

// The controller's objects: the axes and buttons it has, and the d-pad as
// POV hat 0.
std::vector<PadObject> controllerObjects(_SDL_GameController* controller);
// Fills the axes, POV 0 and the buttons of `state`; leaves the rest as given.
void readController(_SDL_GameController* controller, DIJOYSTATE2& state, const AxisRanges& ranges);

}  // namespace layer::input
