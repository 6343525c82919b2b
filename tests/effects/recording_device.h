// recording_device.h — a stand-in IDirect3DDevice9 for the effect tests:
// counts its references (an effect holds one while it lives) and records the
// lights set on it. Drawing calls succeed and do nothing.
#pragma once

#include <d3d9.h>

#include <vector>

class RecordingDevice final : public IDirect3DDevice9 {
public:
    struct LightCall {
        DWORD index;
        D3DLIGHT9 light;
    };

    ULONG references = 1;
    std::vector<LightCall> lights;
    std::vector<DWORD> enabledLights;

    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }

    HRESULT SetLight(DWORD index, const D3DLIGHT9* light) override
    {
        lights.push_back({index, *light});
        return D3D_OK;
    }
    HRESULT LightEnable(DWORD index, BOOL enable) override
    {
        if (enable) enabledLights.push_back(index);
        return D3D_OK;
    }

    HRESULT Reset(D3DPRESENT_PARAMETERS*) override { return D3D_OK; }
    HRESULT Present(const RECT*, const RECT*, HWND, const RGNDATA*) override { return D3D_OK; }
    HRESULT BeginScene() override { return D3D_OK; }
    HRESULT EndScene() override { return D3D_OK; }
    HRESULT Clear(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override { return D3D_OK; }
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE, const D3DMATRIX*) override { return D3D_OK; }
    HRESULT SetViewport(const D3DVIEWPORT9*) override { return D3D_OK; }
    HRESULT SetRenderState(D3DRENDERSTATETYPE, DWORD) override { return D3D_OK; }
    HRESULT SetTexture(DWORD, IDirect3DBaseTexture9*) override { return D3D_OK; }
    HRESULT SetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD) override { return D3D_OK; }
    HRESULT SetSamplerState(DWORD, D3DSAMPLERSTATETYPE, DWORD) override { return D3D_OK; }
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE, UINT, const void*, UINT) override { return D3D_OK; }
    HRESULT SetFVF(DWORD) override { return D3D_OK; }
};
