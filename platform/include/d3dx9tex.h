// d3dx9tex.h — texture creation from an image file, the one D3DX texture
// function the game calls. The layer reads PNG files only; each side is
// raised to the next power of two and the image stretched with point
// sampling.
#pragma once

#include "d3d9.h"

#define D3DX_DEFAULT ((UINT)-1)
#define D3DX_FILTER_POINT (2 << 0)

#define _FACDD 0x876
#define MAKE_DDHRESULT(code) MAKE_HRESULT(1, _FACDD, code)
#define D3DXERR_INVALIDDATA MAKE_DDHRESULT(2905)

struct D3DXIMAGE_INFO;
struct PALETTEENTRY;

HRESULT WINAPI D3DXCreateTextureFromFileExA(LPDIRECT3DDEVICE9 device, LPCSTR srcFile, UINT width, UINT height,
                                            UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                            DWORD mipFilter, D3DCOLOR colorKey, D3DXIMAGE_INFO* srcInfo,
                                            PALETTEENTRY* palette, LPDIRECT3DTEXTURE9* texture);
