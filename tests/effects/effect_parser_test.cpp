// The effect file reader: declarations of real-world styles are read with
// their types, semantics, annotations and states, and faulty text stops at
// the line and column a compiler would name.
#include "effects/sample_effects.h"
#include "platform/src/d3d9/effect_parser.h"
#include "platform/src/d3d9/effect_shape.h"

#include <gtest/gtest.h>

#include <string>

using namespace layer::fx;

namespace {

EffectSource parsed(const std::string& source)
{
    EffectSource effect;
    SyntaxError error;
    EXPECT_TRUE(parseEffect(source, effect, error))
        << "(" << error.line << "," << error.column << "): " << error.message;
    return effect;
}

SyntaxError failure(const std::string& source)
{
    EffectSource effect;
    SyntaxError error;
    EXPECT_FALSE(parseEffect(source, effect, error)) << source;
    return error;
}

const Parameter* parameter(const EffectSource& effect, const std::string& name)
{
    for (const Parameter& p : effect.parameters)
        if (p.name == name) return &p;
    return nullptr;
}

size_t floatsOf(const EffectSource& effect, const std::string& name)
{
    const Parameter* p = parameter(effect, name);
    if (!p) return 9999;
    const ValueShape shape = valueShape(*p, effect);
    return shape.numeric ? shape.floats : 9999;
}

}  // namespace

TEST(EffectParser, ReadsAnSdkStyleLitMesh)
{
    const EffectSource effect = parsed(litMeshEffect);
    ASSERT_EQ(effect.parameters.size(), 11u);
    const Parameter* diffuse = parameter(effect, "g_MaterialDiffuseColor");
    ASSERT_NE(diffuse, nullptr);
    EXPECT_EQ(diffuse->type, "float4");
    EXPECT_EQ(diffuse->semantic, "DIFFUSE");
    EXPECT_EQ(diffuse->initializer, "{ 1.0f, 1.0f, 1.0f, 1.0f }");
    const Parameter* sampler = parameter(effect, "MeshTextureSampler");
    ASSERT_NE(sampler, nullptr);
    ASSERT_TRUE(sampler->hasSamplerState);
    ASSERT_EQ(sampler->samplerStates.size(), 4u);
    EXPECT_EQ(sampler->samplerStates[0].name, "Texture");
    EXPECT_EQ(sampler->samplerStates[0].value, "<g_MeshTexture>");
    EXPECT_EQ(effect.structs, (std::vector<std::string>{"VS_OUTPUT", "PS_OUTPUT"}));
    ASSERT_EQ(effect.functions.size(), 2u);
    EXPECT_EQ(effect.functions[0].name, "RenderSceneVS");
    EXPECT_TRUE(effect.functions[0].hasBody);
    ASSERT_EQ(effect.techniques.size(), 2u);
    EXPECT_EQ(effect.techniques[1].name, "RenderSceneNoTexture");
    ASSERT_EQ(effect.techniques[0].passes.size(), 1u);
    const Pass& pass = effect.techniques[0].passes[0];
    ASSERT_EQ(pass.states.size(), 2u);
    EXPECT_EQ(pass.states[0].name, "VertexShader");
    EXPECT_EQ(pass.states[0].value, "compile vs_2_0 RenderSceneVS( 1, true )");
    // Array sizes come through the file's #define.
    EXPECT_EQ(floatsOf(effect, "g_LightDir"), 9u);
    EXPECT_EQ(floatsOf(effect, "g_mWorld"), 16u);
    EXPECT_EQ(floatsOf(effect, "g_MeshTexture"), 9999u);
}

TEST(EffectParser, ReadsAnnotationsModifiersAndTemplateTypes)
{
    const EffectSource effect = parsed(annotatedEffect);
    const Parameter* script = parameter(effect, "Script");
    ASSERT_NE(script, nullptr);
    EXPECT_EQ(script->semantic, "STANDARDSGLOBAL");
    ASSERT_EQ(script->annotations.size(), 5u);
    EXPECT_EQ(script->annotations[4].value, "\"Technique=Main;\"");
    EXPECT_EQ(script->initializer, "0.8");

    const Parameter* world = parameter(effect, "World");
    ASSERT_NE(world, nullptr);
    EXPECT_EQ(world->modifiers, (std::vector<std::string>{"uniform", "extern", "row_major"}));
    EXPECT_EQ(world->registerBinding, "register(c4)");
    EXPECT_TRUE(parameter(effect, "WorldViewProj")->hasModifier("shared"));
    EXPECT_TRUE(parameter(effect, "PI")->hasModifier("static"));

    const Parameter* colour = parameter(effect, "SurfaceColor");
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(colour->annotations[0].value, "\"Surface // not a comment\"");
    EXPECT_EQ(parameter(effect, "SpecExpon")->annotations[4].value, "\"Specular \\\"Power\\\"\"");
    EXPECT_EQ(parameter(effect, "LightPos")->type, "vector<float, 3>");
    // Both branches of the #if are read.
    EXPECT_NE(parameter(effect, "EnvMap"), nullptr);
    EXPECT_EQ(parameter(effect, "ColorTexture")->annotations.size(), 3u);
    // Two variables in one declaration share type and modifiers.
    EXPECT_EQ(parameter(effect, "TintA")->type, "half4");
    EXPECT_EQ(parameter(effect, "TintB")->initializer, "{0.5h, 0.5h, 0.5h, 1.0h}");

    EXPECT_EQ(floatsOf(effect, "SurfaceColor"), 3u);  // through the typedef
    EXPECT_EQ(floatsOf(effect, "Offsets"), 8u);       // static const array size
    EXPECT_EQ(floatsOf(effect, "NormalMatrix"), 9u);
    EXPECT_EQ(floatsOf(effect, "LightPos"), 3u);
    EXPECT_EQ(floatsOf(effect, "UseTexture"), 1u);

    ASSERT_EQ(effect.functions.size(), 3u);
    EXPECT_EQ(effect.functions[2].semantic, "COLOR");
    ASSERT_EQ(effect.techniques.size(), 1u);
    EXPECT_EQ(effect.techniques[0].annotations[0].name, "Script");
    EXPECT_EQ(effect.techniques[0].passes[0].annotations[0].value, "\"Draw=geometry;\"");
    EXPECT_EQ(effect.techniques[0].passes[0].states.size(), 6u);
}

TEST(EffectParser, ReadsLegacySpellingsAndAssemblyShaders)
{
    const EffectSource effect = parsed(legacyEffect);
    ASSERT_EQ(effect.parameters.size(), 4u);
    EXPECT_EQ(effect.parameters[2].initializer, "asm { vs_1_1 dcl_position v0 m4x4 oPos, v0, c0 }");
    ASSERT_EQ(effect.techniques.size(), 1u);
    EXPECT_EQ(effect.techniques[0].name, "");
    ASSERT_EQ(effect.techniques[0].passes.size(), 2u);
    EXPECT_EQ(effect.techniques[0].passes[0].states[2].name, "Texture");
    EXPECT_EQ(effect.techniques[0].passes[0].states[2].index, "0");
    EXPECT_EQ(effect.techniques[0].passes[0].states[2].value, "<Layers[0]>");
    EXPECT_EQ(effect.techniques[0].passes[1].states.size(), 3u);
    // The continued #define line gives the array its size; TEXTURE holds no floats.
    ASSERT_EQ(effect.defines.size(), 1u);
    EXPECT_EQ(effect.defines[0].value, "2");
    EXPECT_EQ(floatsOf(effect, "Factor"), 1u);
}

TEST(EffectParser, ReportsTheLineAndColumnOfTheFault)
{
    struct Case {
        const char* source;
        int line;
        int column;
        const char* message;
    };
    const Case cases[] = {
        {"float4 a;\nfloat4 b = ;\n", 2, 12, "syntax error: unexpected token ';'"},
        {"float4 a\nfloat4 b;", 2, 1, "syntax error: unexpected token 'float4'"},
        {"float4 x;\n  /* open\ncomment", 2, 3, "syntax error: unterminated comment"},
        {"string s = \"abc\n\";", 1, 12, "syntax error: unterminated string constant"},
        {"float f() { return (1; }", 1, 24, "syntax error: unexpected token '}'"},
        {"float f() { return (1]; }", 1, 22, "syntax error: unexpected token ']'"},
        {"technique T { pass P { ZEnable = true } }", 1, 39, "syntax error: unexpected token '}'"},
        {"technique T { Draw { } }", 1, 15, "syntax error: unexpected token 'Draw'"},
        {"float4 a;\n}", 2, 1, "syntax error: unexpected token '}'"},
        {"texture t < string UIName = \"x\"; ;", 1, 34, "syntax error: unexpected token ';'"},
        {"float4x4 m\t@;", 1, 12, "syntax error: unexpected token '@'"},
        {"float a;\x01", 1, 9, "syntax error: illegal character 0x01 in shader file"},
        {"float \xC3\xA9t\xC3\xA9;", 1, 7, "syntax error: illegal character 0xC3 in shader file"},
        {"technique T { pass P { VertexShader = compile vs_2_0 VS(", 1, 57, "syntax error: unexpected end of file"},
        {"", 1, 1, "syntax error: unexpected end of file"},
        {"// nothing but a comment\n#define X 1\n", 3, 1, "syntax error: unexpected end of file"},
    };
    for (const Case& c : cases) {
        const SyntaxError error = failure(c.source);
        EXPECT_EQ(error.line, c.line) << c.source;
        EXPECT_EQ(error.column, c.column) << c.source;
        EXPECT_EQ(error.message, c.message) << c.source;
    }
}

TEST(EffectParser, EveryCutOfAValidFileEndsCleanlyWithAPositionInsideIt)
{
    // A file cut short (a truncated download, a full disk) either still
    // holds whole declarations or fails at a place within the text.
    const std::string source = annotatedEffect;
    int failures = 0;
    for (size_t length = 0; length <= source.size(); ++length) {
        const std::string cut = source.substr(0, length);
        EffectSource effect;
        SyntaxError error;
        if (parseEffect(cut, effect, error)) continue;
        ++failures;
        int lines = 1;
        for (char c : cut) lines += c == '\n';
        ASSERT_GE(error.line, 1);
        ASSERT_LE(error.line, lines) << length;
        ASSERT_GE(error.column, 1);
        ASSERT_FALSE(error.message.empty());
    }
    // Cuts inside a declaration fail: far more than the declaration ends.
    EXPECT_GT(failures, static_cast<int>(source.size()) * 9 / 10);
}

TEST(EffectParser, DeepNestingIsReadWithoutRecursion)
{
    const std::string open(200000, '(');
    const std::string close(200000, ')');
    EXPECT_EQ(parsed("float f() { return " + open + "1" + close + "; }").functions.size(), 1u);
    const SyntaxError error = failure("float a = " + open + "1;");
    EXPECT_EQ(error.message, "syntax error: unexpected end of file");
}

TEST(EffectParser, CircularTypedefsAndDefinesLeaveTheSizeOpen)
{
    const EffectSource effect = parsed(
        "typedef loopA loopB;\ntypedef loopB loopA;\nloopA a;\n"
        "#define N M\n#define M N\nfloat3 v[N];\n"
        "float2 w[4][2];\nfloat big[4000000000];\n");
    EXPECT_EQ(floatsOf(effect, "a"), 9999u);
    EXPECT_EQ(floatsOf(effect, "v"), 0u);
    EXPECT_EQ(floatsOf(effect, "w"), 16u);
    EXPECT_EQ(floatsOf(effect, "big"), 0u);
}
