// d3dx9effect.h — the D3DX 9 effect subset the game calls: an effect created
// from a file, its parameters found by name and given float values, and the
// buffer that carries the compiler's messages. The layer has no HLSL
// compiler: it reads the file's top-level declarations, reports syntax errors
// as the compiler does, and stores parameter values; no technique is run.
// Implemented in platform/src/d3d9/effect*.cpp. Included by d3dx9.h.
#pragma once

#include <windows.h>

#include "d3d9.h"

// A parameter handle: what GetParameterByName returns, or the parameter's
// name itself.
typedef LPCSTR D3DXHANDLE;

struct D3DXMACRO {
    LPCSTR Name;
    LPCSTR Definition;
};
typedef D3DXMACRO* LPD3DXMACRO;

// Include handlers and effect pools are accepted as arguments and not used:
// the game passes neither.
struct ID3DXInclude;
typedef ID3DXInclude* LPD3DXINCLUDE;
struct ID3DXEffectPool;
typedef ID3DXEffectPool* LPD3DXEFFECTPOOL;

struct ID3DXBuffer : public IUnknown {
    virtual LPVOID GetBufferPointer() = 0;
    virtual DWORD GetBufferSize() = 0;

protected:
    ~ID3DXBuffer() = default;
};
typedef ID3DXBuffer* LPD3DXBUFFER;

struct ID3DXEffect : public IUnknown {
    // parent must be NULL: only top-level parameters are found. NULL for a
    // name the effect does not declare (static variables are not parameters).
    virtual D3DXHANDLE GetParameterByName(D3DXHANDLE parent, LPCSTR name) = 0;
    // Stores up to the parameter's size; D3DERR_INVALIDCALL for an unknown or
    // non-numeric parameter.
    virtual HRESULT SetFloatArray(D3DXHANDLE parameter, const FLOAT* values, UINT count) = 0;

protected:
    ~ID3DXEffect() = default;
};
typedef ID3DXEffect* LPD3DXEFFECT;

// Fails with D3DERR_INVALIDCALL without a device, file name or effect
// pointer; with D3DXERR_INVALIDDATA and a message in *errors when the file
// cannot be read; with E_FAIL and "file(line,column): error X3000: ..." in
// *errors on a syntax error.
HRESULT WINAPI D3DXCreateEffectFromFileA(LPDIRECT3DDEVICE9 device, LPCSTR file, const D3DXMACRO* defines,
                                         LPD3DXINCLUDE include, DWORD flags, LPD3DXEFFECTPOOL pool,
                                         LPD3DXEFFECT* effect, LPD3DXBUFFER* errors);
