// Effects: writes the two Direct3D 9 effect files, DATA/SHADER/2D.fx (the
// sprite effect) and DATA/SHADER/3DEx.fx (the lit textured effect), with the
// parameters the game looks up: Projection and Texture in both, LightDir and
// DirLightColor (three floats each) in 3DEx.fx.
// Depends on: Output.
#pragma once

#include <string>

namespace datagen {

void writeEffectFiles(const std::string& root);

}  // namespace datagen
