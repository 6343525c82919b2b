// paths.h — data file names as the game spells them, mapped to host paths:
// a backslash becomes a slash, letter case is kept, a doubled slash stays
// (the host file system reads it as one). Also the full spelling of a path.
#pragma once

#include <string>

namespace layer {

std::string hostPath(const char* gamePath);

// The host path made absolute from the working directory, with "." and ".."
// parts and doubled slashes taken out by their spelling alone (links are not
// followed), as GetFullPathNameA gives it.
std::string fullHostPath(const char* gamePath);

}  // namespace layer
