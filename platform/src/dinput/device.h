// device.h — the IDirectInputDevice8A of one opened game pad.
#pragma once

#include "dinput/pad_source.h"

#include <dinput.h>

#include <memory>

namespace layer::input {

// A new device with one reference; it holds a reference to `root` until it
// is destroyed, so SDL's joystick subsystem outlives every open pad.
IDirectInputDevice8A* createPadDevice(IDirectInput8A* root, std::unique_ptr<PadSource> source);

}  // namespace layer::input
