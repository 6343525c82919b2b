// Images: writes every PNG of the DATA tree and the game's icon (icons/N.png
// for each size, icons/vantorel.ico). Depends on: Art, Png, Ico, Output.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace datagen {

// One job per image, each writing its own file below `root`.
std::vector<std::function<void()>> imageJobs(const std::string& root);

}  // namespace datagen
