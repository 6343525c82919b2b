// Effects: the HLSL text of the two effect files (shader model 2.0).
#include "Effects.h"

#include "Output.h"

namespace datagen {

static const char* const kEffect2D = R"fx(// 2D.fx: textured, vertex-coloured quads in screen space.
// Parameters: Projection (screen to clip space), Texture (the sprite image).

float4x4 Projection;
texture Texture;

sampler TextureSampler = sampler_state
{
    Texture = <Texture>;
    MinFilter = Linear;
    MagFilter = Linear;
    MipFilter = None;
    AddressU = Clamp;
    AddressV = Clamp;
};

struct VertexIn
{
    float4 Position : POSITION;
    float4 Colour   : COLOR0;
    float2 TexCoord : TEXCOORD0;
};

struct VertexOut
{
    float4 Position : POSITION;
    float4 Colour   : COLOR0;
    float2 TexCoord : TEXCOORD0;
};

struct PixelIn
{
    float4 Colour   : COLOR0;
    float2 TexCoord : TEXCOORD0;
};

VertexOut SpriteVS(VertexIn input)
{
    VertexOut output;
    output.Position = mul(input.Position, Projection);
    output.Colour = input.Colour;
    output.TexCoord = input.TexCoord;
    return output;
}

float4 SpritePS(PixelIn input) : COLOR0
{
    return tex2D(TextureSampler, input.TexCoord) * input.Colour;
}

technique Sprite
{
    pass P0
    {
        AlphaBlendEnable = TRUE;
        SrcBlend = SrcAlpha;
        DestBlend = InvSrcAlpha;
        ZWriteEnable = FALSE;
        VertexShader = compile vs_2_0 SpriteVS();
        PixelShader = compile ps_2_0 SpritePS();
    }
}
)fx";

static const char* const kEffect3DEx =
    R"fx(// 3DEx.fx: textured meshes lit by one directional light and an ambient term.
// Parameters: World (object to world), Projection (world to clip space),
// Texture, LightDir (direction the light travels, normalised) and
// DirLightColor (its colour, 0..1 per channel).

float4x4 World;
float4x4 Projection;
float3 LightDir = { 0.6667f, -0.6667f, -0.3333f };
float3 DirLightColor = { 0.8f, 0.8f, 0.8f };
float3 AmbientColor = { 0.25f, 0.25f, 0.25f };
texture Texture;

sampler TextureSampler = sampler_state
{
    Texture = <Texture>;
    MinFilter = Linear;
    MagFilter = Linear;
    MipFilter = Linear;
    AddressU = Wrap;
    AddressV = Wrap;
};

struct VertexIn
{
    float4 Position : POSITION;
    float3 Normal   : NORMAL;
    float2 TexCoord : TEXCOORD0;
};

struct VertexOut
{
    float4 Position : POSITION;
    float4 Colour   : COLOR0;
    float2 TexCoord : TEXCOORD0;
};

struct PixelIn
{
    float4 Colour   : COLOR0;
    float2 TexCoord : TEXCOORD0;
};

VertexOut LitVS(VertexIn input)
{
    VertexOut output;
    float4 worldPosition = mul(input.Position, World);
    float3 normal = normalize(mul(input.Normal, (float3x3)World));
    float diffuse = saturate(dot(normal, -LightDir));
    output.Position = mul(worldPosition, Projection);
    output.Colour = float4(saturate(AmbientColor + DirLightColor * diffuse), 1.0f);
    output.TexCoord = input.TexCoord;
    return output;
}

float4 LitPS(PixelIn input) : COLOR0
{
    return tex2D(TextureSampler, input.TexCoord) * input.Colour;
}

technique Lit
{
    pass P0
    {
        ZEnable = TRUE;
        ZWriteEnable = TRUE;
        VertexShader = compile vs_2_0 LitVS();
        PixelShader = compile ps_2_0 LitPS();
    }
}
)fx";

void writeEffectFiles(const std::string& root)
{
    writeText(root, "DATA/SHADER/2D.fx", kEffect2D);
    writeText(root, "DATA/SHADER/3DEx.fx", kEffect3DEx);
}

}  // namespace datagen
