// sample_effects.h — effect files in the styles found in the wild, used by
// the effect tests: an SDK-sample-style lit mesh, an authoring-tool-style file
// with rich annotations, a legacy file with assembly shaders and odd
// spellings, and the game's own pair.
#pragma once

// A textured, lit mesh: #define and #include lines, default values, a
// sampler_state, structs, functions with uniform arguments, one technique.
inline constexpr const char* litMeshEffect = R"fx(//-------------------------------------------------------------
// Lit, textured mesh
//-------------------------------------------------------------
#define MAX_LIGHTS 3
#include "common.fxh"

float4 g_MaterialAmbientColor;      // ambient part of the material
float4 g_MaterialDiffuseColor : DIFFUSE = { 1.0f, 1.0f, 1.0f, 1.0f };
int g_nNumLights = 1;

float3 g_LightDir[MAX_LIGHTS];      // world space
float4 g_LightDiffuse[MAX_LIGHTS];
float4 g_LightAmbient;

texture g_MeshTexture;

float    g_fTime : TIME;
float4x4 g_mWorld : WORLD;
float4x4 g_mWorldViewProjection : WORLDVIEWPROJECTION;

sampler MeshTextureSampler =
sampler_state
{
    Texture = <g_MeshTexture>;
    MipFilter = LINEAR;
    MinFilter = LINEAR;
    MagFilter = LINEAR;
};

struct VS_OUTPUT
{
    float4 Position   : POSITION;
    float4 Diffuse    : COLOR0;
    float2 TextureUV  : TEXCOORD0;
};

VS_OUTPUT RenderSceneVS( float4 vPos : POSITION,
                         float3 vNormal : NORMAL,
                         float2 vTexCoord0 : TEXCOORD0,
                         uniform int nNumLights,
                         uniform bool bTexture )
{
    VS_OUTPUT Output;
    Output.Position = mul(vPos, g_mWorldViewProjection);
    float3 vNormalWorldSpace = normalize(mul(vNormal, (float3x3)g_mWorld));
    float3 vTotalLightDiffuse = float3(0,0,0);
    for(int i=0; i<nNumLights; i++ )
        vTotalLightDiffuse += g_LightDiffuse[i] * max(0,dot(vNormalWorldSpace, g_LightDir[i]));
    Output.Diffuse.rgb = g_MaterialDiffuseColor * vTotalLightDiffuse +
                         g_MaterialAmbientColor * g_LightAmbient;
    Output.Diffuse.a = 1.0f;
    Output.TextureUV = bTexture ? vTexCoord0 : 0;
    return Output;
}

struct PS_OUTPUT
{
    float4 RGBColor : COLOR0;
};

PS_OUTPUT RenderScenePS( VS_OUTPUT In, uniform bool bTexture )
{
    PS_OUTPUT Output;
    if( bTexture )
        Output.RGBColor = tex2D(MeshTextureSampler, In.TextureUV) * In.Diffuse;
    else
        Output.RGBColor = In.Diffuse;
    return Output;
}

technique RenderSceneWithTexture1Light
{
    pass P0
    {
        VertexShader = compile vs_2_0 RenderSceneVS( 1, true );
        PixelShader  = compile ps_2_0 RenderScenePS( true );
    }
}

technique RenderSceneNoTexture
{
    pass P0
    {
        VertexShader = compile vs_2_0 RenderSceneVS( MAX_LIGHTS, false );
        PixelShader  = compile ps_2_0 RenderScenePS( false );
    }
}
)fx";

// An authoring tool's file: a script parameter, UI annotations, shared and
// static const globals, typedef, template vector and matrix types, registers,
// #if blocks, comments holding braces and quotes, strings holding comment
// markers, a technique and passes with annotations.
inline constexpr const char* annotatedEffect = R"fx(/* Phong shading
   { not code } "not a string" */
float Script : STANDARDSGLOBAL <
    string UIWidget = "none";
    string ScriptClass = "object";
    string ScriptOrder = "standard";
    string ScriptOutput = "color";
    string Script = "Technique=Main;";
> = 0.8;

typedef float3 colour;
static const int KERNEL_TAPS = 4;
static const float PI = 3.14159265f;

shared float4x4 WorldViewProj : WorldViewProjection < string UIWidget = "None"; >;
uniform extern row_major float4x4 World : register(c4);
shared uniform vector<float, 3> LightPos : Position <
    string Object = "PointLight0";
    string UIName = "Lamp 0 Position";
    string Space = "World";
> = {-54.0f, 50.0f, 100.0f};

colour SurfaceColor : DIFFUSE <
    string UIName = "Surface // not a comment";
    string UIWidget = "Color";
> = {1.0f, 1.0f, 1.0f};

float SpecExpon <
    string UIWidget = "slider";
    float UIMin = 1.0;
    float UIMax = 128.0;
    float UIStep = 1.0;
    string UIName = "Specular \"Power\"";
> = 55.0;

float2 Offsets[KERNEL_TAPS];
matrix<float, 3, 3> NormalMatrix;
half4 TintA, TintB = {0.5h, 0.5h, 0.5h, 1.0h};
bool UseTexture = true;

#if defined(USE_ENV)
textureCUBE EnvMap;
#else
texture ColorTexture : DIFFUSE <
    string ResourceName = "default_color.dds";
    string UIName = "Diffuse Texture";
    string ResourceType = "2D";
>;
#endif

sampler2D ColorSampler = sampler_state {
    Texture = <ColorTexture>;
    MinFilter = LinearMipMapLinear;
    MagFilter = Linear;
    AddressU = Wrap;
    AddressV = Wrap;
};

struct appdata {
    float3 Position : POSITION;
    float4 UV       : TEXCOORD0;
    float4 Normal   : NORMAL;
};

struct vertexOutput {
    float4 HPosition : POSITION;
    float2 UV        : TEXCOORD0;
    colour Diff      : COLOR0;
};

float3 lambert(float3 n, float3 l) { return max(0, dot(n, l)) * SurfaceColor; }

vertexOutput mainVS(appdata IN)
{
    vertexOutput OUT = (vertexOutput)0;
    OUT.HPosition = mul(float4(IN.Position.xyz, 1.0), WorldViewProj);
    OUT.UV = IN.UV.xy;
    OUT.Diff = lambert(normalize(IN.Normal.xyz), normalize(LightPos - IN.Position));
    /* a brace in a comment: { */
    // and one more: }
    return OUT;
}

float4 mainPS(vertexOutput IN) : COLOR
{
    float4 texel = UseTexture ? tex2D(ColorSampler, IN.UV) : float4(1, 1, 1, 1);
    return texel * float4(IN.Diff, 1);
}

technique Main <
    string Script = "Pass=p0;";
> {
    pass p0 <
        string Script = "Draw=geometry;";
    > {
        VertexShader = compile vs_2_0 mainVS();
        ZEnable = true;
        ZWriteEnable = true;
        CullMode = None;
        AlphaBlendEnable = false;
        PixelShader = compile ps_2_0 mainPS();
    }
}
)fx";

// An older file: Windows line endings, a byte order mark, capitalised
// keywords, assembly shaders, fixed-function states with indices, an
// unnamed technique, a stray semicolon, and a comment in Japanese.
inline constexpr const char* legacyEffect =
    "\xEF\xBB\xBF// \xE5\x9B\xBA\xE5\xAE\x9A\xE6\xA9\x9F\xE8\x83\xBD\r\n"
    "#define TEX_COUNT \\\r\n"
    "    2\r\n"
    "TEXTURE Layers[TEX_COUNT];\r\n"
    "DWORD Factor = 0xFF808080;\r\n"
    "VertexShader vsAsm = asm { vs_1_1 dcl_position v0 m4x4 oPos, v0, c0 };\r\n"
    "PixelShader psNone = NULL;\r\n"
    "Technique\r\n"
    "{\r\n"
    "    Pass First\r\n"
    "    {\r\n"
    "        VertexShader = (vsAsm);\r\n"
    "        PixelShader = asm { ps_1_1 tex t0 mov r0, t0 };\r\n"
    "        Texture[0] = <Layers[0]>;\r\n"
    "        ColorOp[0] = Modulate;\r\n"
    "        TextureFactor = (Factor);\r\n"
    "        LightEnable[0] = TRUE;\r\n"
    "    }\r\n"
    "    PASS\r\n"
    "    {\r\n"
    "        AlphaBlendEnable = TRUE; SrcBlend = SrcAlpha; DestBlend = InvSrcAlpha;\r\n"
    "    }\r\n"
    "};\r\n";

// The game's two files: the parameters it looks up, a light, a technique.
inline constexpr const char* game2DEffect = R"fx(// 2D: screen-space quads
float4x4 Projection;
texture Texture;
sampler TextureSampler = sampler_state { Texture = <Texture>; MinFilter = Linear; MagFilter = Linear; };

struct VS_OUT { float4 pos : POSITION; float2 uv : TEXCOORD0; };

VS_OUT VS(float4 pos : POSITION, float2 uv : TEXCOORD0)
{
    VS_OUT o;
    o.pos = mul(pos, Projection);
    o.uv = uv;
    return o;
}

float4 PS(float2 uv : TEXCOORD0) : COLOR0 { return tex2D(TextureSampler, uv); }

technique Draw2D { pass P0 { VertexShader = compile vs_2_0 VS(); PixelShader = compile ps_2_0 PS(); } }
)fx";

inline constexpr const char* game3DExEffect = R"fx(// 3DEx: lit meshes
float4x4 Projection;
float4x4 View;
float4x4 World;
texture Texture;
float3 LightDir = {0.0f, -1.0f, 0.0f};
float3 DirLightColor = {1.0f, 1.0f, 1.0f};
sampler TextureSampler = sampler_state { Texture = <Texture>; };

float4 VS(float4 pos : POSITION) : POSITION { return mul(mul(mul(pos, World), View), Projection); }
float4 PS(float3 n : TEXCOORD0) : COLOR0 { return float4(DirLightColor * saturate(dot(n, -LightDir)), 1); }

technique Lit { pass P0 { VertexShader = compile vs_2_0 VS(); PixelShader = compile ps_2_0 PS(); } }
)fx";
