// KeyNames.h — Windows virtual-key codes by name, for replay scripts and
// round files: the names of the VK_ constants without their prefix (SPACE,
// ESCAPE, LCONTROL, F1, NUMPAD0, ...), single letters A–Z and digits 0–9
// (their ASCII codes).
// Limits: case-insensitive; an optional "VK_" prefix is accepted; only the keys
// the platform headers define. Depends on: windows.h (the VK_ codes).
#pragma once

#include <optional>
#include <string_view>

#include <string>

std::optional<int> virtualKeyByName(std::string_view name);
// The name a script gives the key: its letter, its VK_ name without the
// prefix, or else its code in decimal (which a script reads as that code).
std::string virtualKeyName(int code);
