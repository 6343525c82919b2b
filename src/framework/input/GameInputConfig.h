// GameInputConfig.h — the key and pad assignment the game sets at start-up,
// in configuration order (see Input::setKeyMap and Input::setPadMap). Space
// (last position) becomes logical button 15, the start button; on the pad
// it is button 10, usually labelled Start.
#pragma once

#include "framework/input/Input.h"

inline constexpr BYTE GAME_KEY_CONFIG[BUTTON_COUNT] = {'W', 'S', 'A', 'D', 'Z', 'X', 'C',       'V',
                                                       'A', 'Q', '1', 'S', 'W', '2', VK_RETURN, VK_SPACE};
// Axis selectors lX, lY, lZ, lRz, then 1-based pad button numbers.
inline constexpr BYTE GAME_PAD_CONFIG[BUTTON_COUNT] = {0, 1, 2, 5, 2, 3, 1, 4, 7, 5, 11, 8, 6, 12, 9, 10};
