// direct3d.cpp — Direct3DCreate9 and the IDirect3D9 object. The layer's one
// adapter offers a HAL device (our rasteriser is the "hardware") that
// accepts hardware, mixed and software vertex processing alike (the game's
// vertices are pre-transformed), and a REF device on the same rasteriser.
// Devices are windowed only, on a live window of the layer.
#include "d3d9/diagnostics.h"
#include "d3d9/device.h"
#include "d3d9/png_image.h"
#include "win32/com_object.h"
#include "win32/window_internal.h"

#include <d3d9.h>

#include <SDL.h>

namespace layer::d3d {

namespace {

constexpr DWORD VertexProcessingFlags =
    D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING;

class Direct3D final : public ComObject<IDirect3D9> {
public:
    HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE deviceType, D3DCAPS9* caps) override
    {
        logCall("GetDeviceCaps(%u, %d)", adapter, static_cast<int>(deviceType));
        if (adapter != D3DADAPTER_DEFAULT || !caps) return D3DERR_INVALIDCALL;
        if (!offers(deviceType)) return D3DERR_NOTAVAILABLE;
        *caps = D3DCAPS9{};
        caps->DeviceType = deviceType;
        caps->AdapterOrdinal = adapter;
        caps->PresentationIntervals = D3DPRESENT_INTERVAL_IMMEDIATE;
        caps->MaxTextureWidth = LargestTextureSide;
        caps->MaxTextureHeight = LargestTextureSide;
        return D3D_OK;
    }

    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviorFlags,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) override
    {
        logCall("CreateDevice(%u, %d, 0x%X)", adapter, static_cast<int>(deviceType), behaviorFlags);
        if (device) *device = nullptr;
        if (adapter != D3DADAPTER_DEFAULT || !parameters || !device) return D3DERR_INVALIDCALL;
        DWORD processing = behaviorFlags & VertexProcessingFlags;
        if (processing != D3DCREATE_SOFTWARE_VERTEXPROCESSING && processing != D3DCREATE_HARDWARE_VERTEXPROCESSING &&
            processing != D3DCREATE_MIXED_VERTEXPROCESSING)
            return D3DERR_INVALIDCALL;
        if (!offers(deviceType) || !accepts(deviceType, processing)) return D3DERR_NOTAVAILABLE;
        HWND window = parameters->hDeviceWindow ? parameters->hDeviceWindow : focusWindow;
        SDL_Window* sdl = layer::sdlWindow(window);
        if (!sdl) {
            OutputDebugStringA("d3d9: CreateDevice: no window to present to\n");
            return D3DERR_INVALIDCALL;
        }
        if (!parameters->Windowed) {
            OutputDebugStringA("d3d9: CreateDevice: only windowed devices are offered\n");
            return D3DERR_NOTAVAILABLE;
        }
        if (parameters->BackBufferWidth == 0 || parameters->BackBufferHeight == 0) {
            int width = 0, height = 0;
            SDL_GetWindowSize(sdl, &width, &height);
            if (parameters->BackBufferWidth == 0) parameters->BackBufferWidth = static_cast<UINT>(width);
            if (parameters->BackBufferHeight == 0) parameters->BackBufferHeight = static_cast<UINT>(height);
        }
        if (parameters->BackBufferWidth == 0 || parameters->BackBufferHeight == 0 ||
            parameters->BackBufferWidth > LargestTextureSide || parameters->BackBufferHeight > LargestTextureSide)
            return D3DERR_INVALIDCALL;
        if (parameters->BackBufferFormat == D3DFMT_UNKNOWN) parameters->BackBufferFormat = D3DFMT_X8R8G8B8;
        if (parameters->BackBufferCount == 0) parameters->BackBufferCount = 1;
        *device = new Device(this, window, *parameters);
        return D3D_OK;
    }

private:
    static bool offers(D3DDEVTYPE type)
    {
        host::AdapterSupport support = host::current().adapter();
        return (type == D3DDEVTYPE_HAL && support.hal) || (type == D3DDEVTYPE_REF && support.reference);
    }

    static bool accepts(D3DDEVTYPE type, DWORD processing)
    {
        if (type == D3DDEVTYPE_REF) return processing == D3DCREATE_SOFTWARE_VERTEXPROCESSING;
        host::AdapterSupport support = host::current().adapter();
        switch (processing) {
        case D3DCREATE_HARDWARE_VERTEXPROCESSING: return support.hardwareVertexProcessing;
        case D3DCREATE_MIXED_VERTEXPROCESSING: return support.mixedVertexProcessing;
        default: return support.softwareVertexProcessing;
        }
    }

    void released(ULONG left) override { logCall("Release(IDirect3D9) = %u", left); }
};

}  // namespace

}  // namespace layer::d3d

IDirect3D9* WINAPI Direct3DCreate9(UINT sdkVersion)
{
    layer::d3d::logCall("Direct3DCreate9(%u)", sdkVersion);
    if (sdkVersion != D3D_SDK_VERSION) return nullptr;
    return new layer::d3d::Direct3D();
}
