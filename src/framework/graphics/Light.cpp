// Light.cpp — device light 0 as a directional light of one colour (diffuse
// and specular, black ambient) and the same direction and colour handed to
// the 3D effect's "LightDir" and "DirLightColor" by name. Without a device
// the effect still gets the values; without the effect the device still gets
// the light.
#include "framework/graphics/Light.h"

#include "framework/graphics/orvGraphics.h"
#include "framework/graphics/orvShader.h"

#include <d3d9.h>

#include <cmath>
#include <cstring>

void SetDirectionalLight(float* direction, float red, float green, float blue)
{
    const float length =
        std::sqrt(direction[0] * direction[0] + direction[1] * direction[1] + direction[2] * direction[2]);
    if (length != 0.0f) {
        direction[0] /= length;
        direction[1] /= length;
        direction[2] /= length;
    }

    D3DLIGHT9 light;
    std::memset(&light, 0, sizeof light);
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {red, green, blue, 1.0f};
    light.Specular = {red, green, blue, 1.0f};
    light.Ambient = {0.0f, 0.0f, 0.0f, 1.0f};
    light.Direction = {direction[0], direction[1], direction[2]};
    if (Device) {
        Device->SetLight(0, &light);
        Device->LightEnable(0, TRUE);
    }

    if (Shader3DEx && Shader3DEx->effect) {
        const float colour[3] = {red, green, blue};
        Shader3DEx->effect->SetFloatArray("LightDir", direction, 3);
        Shader3DEx->effect->SetFloatArray("DirLightColor", colour, 3);
    }
}
