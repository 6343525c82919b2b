// MusicFiles: one job per background track, each composing its track and writing
// it as Ogg Vorbis at its path under DATA/Sound/BGM.
// Depends on: Tracks, Ogg, Output.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace datagen {

std::vector<std::function<void()>> musicJobs(const std::string& root);

}  // namespace datagen
