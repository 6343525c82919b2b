// Images: writes every PNG of the DATA tree and the desktop icon.
// Depends on: Art, Png, Output.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace datagen {

// One job per image, each writing its own file below `root`.
std::vector<std::function<void()>> imageJobs(const std::string& root);

}  // namespace datagen
