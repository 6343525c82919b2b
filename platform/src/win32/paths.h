// paths.h — data file names as the game spells them, mapped to host paths:
// a backslash becomes a slash, letter case is kept, a doubled slash stays
// (the host file system reads it as one).
#pragma once

#include <string>

namespace layer {

std::string hostPath(const char* gamePath);

}  // namespace layer
