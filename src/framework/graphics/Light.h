// Light.h — the scene's one directional light: device light 0, and the light
// parameters of the 3D effect (Shader3DEx) when it loaded.
#pragma once

// direction: 3 floats x, y, z, normalised in place (a zero vector is left as
// it is); red, green, blue from 0.0 to 1.0.
void SetDirectionalLight(float* direction, float red, float green, float blue);
