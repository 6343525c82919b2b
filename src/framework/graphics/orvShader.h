// orvShader.h — the effect wrapper: an effect compiled from a file with its
// "Projection" and "Texture" parameter handles, and the game's two effects.
// The effects hold parameters only; no technique of theirs is run.
// Needs Device (orvGraphics) when constructed.
#pragma once

#include <windows.h>

#include <d3dx9.h>

class orvShader {
public:
    // fileName names the .fx file; ".fx" is added unless the name already ends
    // in a point and two characters. A file that does not compile leaves
    // effect null, with the compiler's message in the debug trace.
    explicit orvShader(const char* fileName);
    ~orvShader();
    orvShader(const orvShader&) = delete;
    orvShader& operator=(const orvShader&) = delete;

    ID3DXEffect* effect;
    D3DXHANDLE projectionParam;
    D3DXHANDLE textureParam;
};

// Created by start-up after the device ("DATA\SHADER\3DEx.fx", then
// "DATA\SHADER\2D.fx") and released by shut-down before the device.
extern orvShader* Shader3DEx;
extern orvShader* Shader2D;
