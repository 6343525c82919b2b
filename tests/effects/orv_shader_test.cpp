// orvShader and SetDirectionalLight: the ".fx" name rule, compiler messages
// in the debug trace, the two parameter handles, and the light reaching both
// the device and the 3D effect.
#include "effects/effect_files.h"
#include "effects/recording_device.h"
#include "effects/sample_effects.h"
#include "framework/graphics/Light.h"
#include "framework/graphics/orvGraphics.h"
#include "framework/graphics/orvShader.h"
#include "platform/src/d3d9/effect_object.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

class ShaderTest : public ::testing::Test {
protected:
    void SetUp() override { Device = &device; }
    void TearDown() override
    {
        Device = nullptr;
        EXPECT_EQ(device.references, 1u);  // every effect gave its device reference back
    }

    // The debug trace written while a shader is constructed.
    static std::string traceOf(const std::string& fileName, bool* loaded = nullptr)
    {
        ::testing::internal::CaptureStderr();
        {
            orvShader shader(fileName.c_str());
            if (loaded) *loaded = shader.effect != nullptr;
        }
        return ::testing::internal::GetCapturedStderr();
    }

    RecordingDevice device;
    EffectFiles files{"effects_shader"};
};

std::vector<float> stored(ID3DXEffect* effect, const char* name)
{
    const std::vector<float>* floats = layer::fx::storedFloats(effect, name);
    return floats ? *floats : std::vector<float>{-1.0f};
}

}  // namespace

TEST_F(ShaderTest, NameRuleAddsFxOnlyWithoutATwoLetterExtension)
{
    const std::string game = files.write("SHADER/2D.fx", game2DEffect);
    files.write("SHADER/plain.ab", game2DEffect);
    files.write("SHADER/x.f.fx", game2DEffect);

    for (const std::string& name :
         {game, game.substr(0, game.size() - 3), files.gamePath("SHADER/plain.ab"), files.gamePath("SHADER/x.f")}) {
        orvShader shader(name.c_str());
        ASSERT_NE(shader.effect, nullptr) << name;
        EXPECT_NE(shader.projectionParam, nullptr);
        EXPECT_EQ(shader.projectionParam, shader.effect->GetParameterByName(nullptr, "Projection"));
        EXPECT_EQ(shader.textureParam, shader.effect->GetParameterByName(nullptr, "Texture"));
    }
    // "plain.ab" is used as it stands, so "plain" alone finds no "plain.fx".
    bool loaded = true;
    EXPECT_NE(traceOf(files.gamePath("SHADER/plain"), &loaded).find("plain.fx"), std::string::npos);
    EXPECT_FALSE(loaded);
}

TEST_F(ShaderTest, CompilerMessagesReachTheDebugTrace)
{
    const std::string bad = files.write("SHADER/bad.fx", "float4x4 Projection;\n\ntexture Texture\nfloat f;\n");
    bool loaded = true;
    EXPECT_EQ(traceOf(bad, &loaded),
              "\terrors: " + bad + "(4,1): error X3000: syntax error: unexpected token 'float'\n");
    EXPECT_FALSE(loaded);

    const std::string missing = files.gamePath("SHADER/missing.fx");
    EXPECT_NE(traceOf(missing).find("\terrors: " + missing + "(1,1): error X1507"), std::string::npos);

    // A long message is cut to the trace's 2000 characters.
    const std::string longToken(5000, 'q');
    const std::string trace = traceOf(files.write("SHADER/long.fx", "float a " + longToken + ";"));
    EXPECT_EQ(trace.rfind("\terrors: ", 0), 0u);
    EXPECT_LT(trace.size(), 2000u + 64u);
    EXPECT_GT(trace.size(), 1900u);

    // A name that cannot fit the 260-character path is refused, not cut.
    const std::string tooLong = files.gamePath("SHADER/" + std::string(300, 'n'));
    EXPECT_NE(traceOf(tooLong, &loaded).find("effect file name too long"), std::string::npos);
    EXPECT_FALSE(loaded);

    // A file without the two parameters loads; the handles stay null.
    orvShader bare(files.write("SHADER/bare.fx", "float4 Tint;\n").c_str());
    EXPECT_NE(bare.effect, nullptr);
    EXPECT_EQ(bare.projectionParam, nullptr);
    EXPECT_EQ(bare.textureParam, nullptr);
}

TEST_F(ShaderTest, DirectionalLightReachesDeviceAndEffect)
{
    Shader3DEx = new orvShader(files.write("SHADER/3DEx.fx", game3DExEffect).c_str());
    ASSERT_NE(Shader3DEx->effect, nullptr);

    float direction[3] = {1.0f, -1.0f, -0.5f};
    SetDirectionalLight(direction, 0.8f, 0.7f, 0.6f);
    EXPECT_NEAR(direction[0], 2.0f / 3.0f, 1e-6f);
    EXPECT_NEAR(direction[1], -2.0f / 3.0f, 1e-6f);
    EXPECT_NEAR(direction[2], -1.0f / 3.0f, 1e-6f);

    ASSERT_EQ(device.lights.size(), 1u);
    const D3DLIGHT9& light = device.lights[0].light;
    EXPECT_EQ(device.lights[0].index, 0u);
    EXPECT_EQ(light.Type, D3DLIGHT_DIRECTIONAL);
    EXPECT_EQ(light.Diffuse.r, 0.8f);
    EXPECT_EQ(light.Diffuse.b, 0.6f);
    EXPECT_EQ(light.Diffuse.a, 1.0f);
    EXPECT_EQ(light.Specular.g, 0.7f);
    EXPECT_EQ(light.Ambient.r, 0.0f);
    EXPECT_EQ(light.Ambient.a, 1.0f);
    EXPECT_EQ(light.Direction.x, direction[0]);
    EXPECT_EQ(light.Direction.z, direction[2]);
    EXPECT_EQ(light.Range, 0.0f);
    EXPECT_EQ(device.enabledLights, std::vector<DWORD>{0});
    EXPECT_EQ(stored(Shader3DEx->effect, "LightDir"), (std::vector<float>{direction[0], direction[1], direction[2]}));
    EXPECT_EQ(stored(Shader3DEx->effect, "DirLightColor"), (std::vector<float>{0.8f, 0.7f, 0.6f}));

    // A zero direction stays zero; the effect without its file still leaves
    // the device light set.
    delete Shader3DEx;
    ::testing::internal::CaptureStderr();
    Shader3DEx = new orvShader(files.gamePath("SHADER/none.fx").c_str());
    ::testing::internal::GetCapturedStderr();
    float zero[3] = {0.0f, 0.0f, 0.0f};
    SetDirectionalLight(zero, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(zero[0], 0.0f);
    EXPECT_FALSE(std::isnan(zero[1]));
    EXPECT_EQ(device.lights.size(), 2u);
    delete Shader3DEx;
    Shader3DEx = nullptr;
}
