// D3DXCreateEffectFromFileA and the effect it makes: files are found by the
// game's backslash spelling, faulty files fail with the compiler's message,
// parameters are found and take float values by handle or by name.
#include "effects/effect_files.h"
#include "effects/recording_device.h"
#include "effects/sample_effects.h"
#include "platform/src/d3d9/effect_object.h"

#include <d3dx9.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Created {
    HRESULT result = E_FAIL;
    ID3DXEffect* effect = nullptr;
    std::string errors;  // empty when no buffer came back
};

Created create(IDirect3DDevice9* device, const std::string& path, const D3DXMACRO* defines = nullptr)
{
    Created created;
    ID3DXBuffer* errors = nullptr;
    created.result =
        D3DXCreateEffectFromFileA(device, path.c_str(), defines, nullptr, 0, nullptr, &created.effect, &errors);
    if (errors) {
        created.errors = static_cast<const char*>(errors->GetBufferPointer());
        EXPECT_EQ(errors->GetBufferSize(), created.errors.size() + 1);
        EXPECT_EQ(errors->Release(), 0u);
    }
    return created;
}

std::vector<float> stored(ID3DXEffect* effect, const char* name)
{
    const std::vector<float>* floats = layer::fx::storedFloats(effect, name);
    return floats ? *floats : std::vector<float>{-1.0f};
}

}  // namespace

TEST(EffectCreation, RealWorldFilesLoadAndHoldTheDeviceUntilReleased)
{
    EffectFiles files("effects_create_real");
    RecordingDevice device;
    for (const char* source : {litMeshEffect, annotatedEffect, legacyEffect, game2DEffect, game3DExEffect}) {
        const Created created = create(&device, files.write("SHADER/effect.fx", source));
        ASSERT_EQ(created.result, D3D_OK) << created.errors;
        ASSERT_NE(created.effect, nullptr);
        EXPECT_EQ(created.errors, "");
        EXPECT_EQ(device.references, 2u);
        EXPECT_EQ(created.effect->AddRef(), 2u);
        EXPECT_EQ(created.effect->Release(), 1u);
        EXPECT_EQ(created.effect->Release(), 0u);
        EXPECT_EQ(device.references, 1u);
    }
}

TEST(EffectCreation, FaultyFilesFailWithTheCompilersMessage)
{
    EffectFiles files("effects_create_faulty");
    RecordingDevice device;
    const std::string source = game3DExEffect;
    struct Case {
        std::string contents;
        std::string message;  // after "<path>"
    };
    const std::vector<Case> cases = {
        {"float4x4 Projection;\ntexture Texture\ntechnique T { pass P { } }\n",
         "(3,1): error X3000: syntax error: unexpected token 'technique'"},
        {"", "(1,1): error X3000: syntax error: unexpected end of file"},
        {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
         "(1,1): error X3000: syntax error: illegal character 0x89 in shader file"},
        {source.substr(0, source.find("technique") + 20), "(13,21): error X3000: syntax error: unexpected end of file"},
        {source.substr(0, source.find("float4 VS") + 30), "(10,31): error X3000: syntax error: unexpected end of file"},
    };
    for (const Case& c : cases) {
        const std::string path = files.write("SHADER/bad.fx", c.contents);
        const Created created = create(&device, path);
        EXPECT_EQ(created.result, E_FAIL);
        EXPECT_EQ(created.effect, nullptr);
        EXPECT_EQ(created.errors, path + c.message);
    }

    const std::string missing = files.gamePath("SHADER/none.fx");
    const Created absent = create(&device, missing);
    EXPECT_EQ(absent.result, D3DXERR_INVALIDDATA);
    EXPECT_EQ(absent.effect, nullptr);
    EXPECT_EQ(absent.errors, missing + "(1,1): error X1507: failed to open source file: '" + missing + "'");
    // The size limit: a file of 16 MiB is read (and found to hold no
    // effect), one byte more is not read at all.
    const std::string blank(size_t{16} << 20, ' ');
    EXPECT_EQ(create(&device, files.write("SHADER/full.fx", blank)).result, E_FAIL);
    EXPECT_EQ(create(&device, files.write("SHADER/over.fx", blank + ' ')).result, D3DXERR_INVALIDDATA);
    // A folder where the file should be cannot be read either.
    EXPECT_EQ(create(&device, files.gamePath("SHADER")).result, D3DXERR_INVALIDDATA);
    EXPECT_EQ(device.references, 1u);

    ID3DXEffect* effect = reinterpret_cast<ID3DXEffect*>(&device);
    ID3DXBuffer* errors = reinterpret_cast<ID3DXBuffer*>(&device);
    const std::string path = files.write("SHADER/good.fx", game2DEffect);
    EXPECT_EQ(D3DXCreateEffectFromFileA(nullptr, path.c_str(), nullptr, nullptr, 0, nullptr, &effect, &errors),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(errors, nullptr);
    EXPECT_EQ(D3DXCreateEffectFromFileA(&device, nullptr, nullptr, nullptr, 0, nullptr, &effect, nullptr),
              D3DERR_INVALIDCALL);
}

TEST(EffectCreation, ParametersAreFoundAndTakeFloatsByHandleOrName)
{
    EffectFiles files("effects_create_params");
    RecordingDevice device;
    const Created created = create(&device, files.write("SHADER/annotated.fx", annotatedEffect));
    ASSERT_NE(created.effect, nullptr) << created.errors;
    ID3DXEffect* effect = created.effect;

    const D3DXHANDLE world = effect->GetParameterByName(nullptr, "WorldViewProj");
    ASSERT_NE(world, nullptr);
    EXPECT_EQ(effect->GetParameterByName(nullptr, "WorldViewProj"), world);
    EXPECT_NE(effect->GetParameterByName(nullptr, "ColorSampler"), nullptr);
    EXPECT_EQ(effect->GetParameterByName(nullptr, "worldviewproj"), nullptr);  // names keep their case
    EXPECT_EQ(effect->GetParameterByName(nullptr, "PI"), nullptr);             // static: not a parameter
    EXPECT_EQ(effect->GetParameterByName(nullptr, "mainVS"), nullptr);         // a function
    EXPECT_EQ(effect->GetParameterByName(nullptr, nullptr), nullptr);
    EXPECT_EQ(effect->GetParameterByName(world, "WorldViewProj"), nullptr);

    std::vector<float> matrix(20);
    for (size_t i = 0; i < matrix.size(); ++i) matrix[i] = static_cast<float>(i);
    EXPECT_EQ(effect->SetFloatArray(world, matrix.data(), 20), D3D_OK);
    EXPECT_EQ(stored(effect, "WorldViewProj"), std::vector<float>(matrix.begin(), matrix.begin() + 16));

    // The name itself as the handle; a shorter array leaves the rest as it was.
    const float colour[3] = {0.25f, 0.5f, 0.75f};
    const std::string name = "SurfaceColor";  // not the effect's own string
    EXPECT_EQ(effect->SetFloatArray(name.c_str(), colour, 3), D3D_OK);
    EXPECT_EQ(stored(effect, "SurfaceColor"), (std::vector<float>{0.25f, 0.5f, 0.75f}));
    EXPECT_EQ(effect->SetFloatArray("SurfaceColor", matrix.data(), 1), D3D_OK);
    EXPECT_EQ(stored(effect, "SurfaceColor"), (std::vector<float>{0.0f, 0.5f, 0.75f}));

    EXPECT_EQ(effect->SetFloatArray("Offsets", matrix.data(), 20), D3D_OK);
    EXPECT_EQ(stored(effect, "Offsets").size(), 8u);

    EXPECT_EQ(effect->SetFloatArray("NoSuchThing", colour, 3), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect->SetFloatArray("ColorTexture", colour, 3), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect->SetFloatArray("ColorSampler", colour, 3), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect->SetFloatArray("PI", colour, 3), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect->SetFloatArray(nullptr, colour, 3), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect->SetFloatArray("SurfaceColor", nullptr, 3), D3DERR_INVALIDCALL);
    EXPECT_EQ(stored(effect, "SurfaceColor"), (std::vector<float>{0.0f, 0.5f, 0.75f}));
    EXPECT_EQ(effect->Release(), 0u);
}

TEST(EffectCreation, CallerMacrosSizeArraysTheFileLeavesOpen)
{
    EffectFiles files("effects_create_macros");
    RecordingDevice device;
    const std::string path = files.write("SHADER/bones.fx",
                                         "float4x3 Bones[BONE_COUNT];\nfloat2 Pair[PAIR];\n"
                                         "#define PAIR 2\n");
    const D3DXMACRO defines[] = {{"BONE_COUNT", "3"}, {"PAIR", "7"}, {nullptr, nullptr}};
    const Created sized = create(&device, path, defines);
    ASSERT_NE(sized.effect, nullptr) << sized.errors;
    const std::vector<float> many(100, 1.0f);
    sized.effect->SetFloatArray("Bones", many.data(), 100);
    sized.effect->SetFloatArray("Pair", many.data(), 100);
    EXPECT_EQ(stored(sized.effect, "Bones").size(), 36u);
    EXPECT_EQ(stored(sized.effect, "Pair").size(), 4u);  // the file's own #define wins
    sized.effect->Release();

    const Created open = create(&device, path);
    ASSERT_NE(open.effect, nullptr);
    open.effect->SetFloatArray("Bones", many.data(), 100);
    EXPECT_EQ(stored(open.effect, "Bones").size(), 100u);
    open.effect->Release();
}
