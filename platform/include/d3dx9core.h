// d3dx9core.h — the D3DX 9 font: its description and its creation. The game
// creates and releases two fonts and draws no text, so the interface has
// only IUnknown's methods.
#pragma once

#include "d3d9.h"

struct D3DXFONT_DESCA {
    INT Height;
    UINT Width;
    UINT Weight;
    UINT MipLevels;
    BOOL Italic;
    BYTE CharSet;
    BYTE OutputPrecision;
    BYTE Quality;
    BYTE PitchAndFamily;
    CHAR FaceName[LF_FACESIZE];
};

struct ID3DXFont : IUnknown {};
typedef ID3DXFont* LPD3DXFONT;

HRESULT WINAPI D3DXCreateFontIndirectA(LPDIRECT3DDEVICE9 device, const D3DXFONT_DESCA* desc, LPD3DXFONT* font);
