// orvGraphics.cpp — device creation with its fallbacks (HAL with hardware,
// mixed, then software vertex processing; a reference device when the HAL
// cannot even report its capabilities), the fixed default render state, the
// fonts, the default camera, the emptied texture cache, and the frame bracket.
#include "framework/graphics/orvGraphics.h"

#include "framework/Destroy.h"
#include "framework/graphics/orvCamera.h"
#include "framework/graphics/orvTexture.h"

#include <cstring>

IDirect3D9* Direct3D = nullptr;
IDirect3DDevice9* Device = nullptr;
D3DPRESENT_PARAMETERS PresentParams;
ID3DXFont* LargeFont = nullptr;
ID3DXFont* SmallFont = nullptr;
orvCamera DefaultCamera;

namespace {

constexpr UINT BackBufferWidth = 1280;
constexpr UINT BackBufferHeight = 1024;

// "MS Gothic" in code page 932, as the ANSI font functions of a Japanese
// system read it.
constexpr char FontFace[] = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";

void fillPresentParams(HWND window)
{
    std::memset(&PresentParams, 0, sizeof PresentParams);
    PresentParams.BackBufferWidth = BackBufferWidth;
    PresentParams.BackBufferHeight = BackBufferHeight;
    PresentParams.BackBufferFormat = D3DFMT_UNKNOWN;
    PresentParams.BackBufferCount = 1;
    PresentParams.MultiSampleType = D3DMULTISAMPLE_NONE;
    PresentParams.MultiSampleQuality = 0;
    PresentParams.SwapEffect = D3DSWAPEFFECT_DISCARD;
    PresentParams.hDeviceWindow = window;
    PresentParams.Windowed = TRUE;
    PresentParams.EnableAutoDepthStencil = TRUE;
    PresentParams.AutoDepthStencilFormat = D3DFMT_D16;
    PresentParams.Flags = 0;
    PresentParams.FullScreen_RefreshRateInHz = 0;
    PresentParams.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
}

bool createDevice(HWND window)
{
    D3DCAPS9 caps;
    if (SUCCEEDED(Direct3D->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps))) {
        const DWORD behaviours[] = {
            D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED,
            D3DCREATE_MIXED_VERTEXPROCESSING | D3DCREATE_MULTITHREADED,
            D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED,
        };
        for (DWORD behaviour : behaviours)
            if (SUCCEEDED(Direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, behaviour, &PresentParams,
                                                 &Device)))
                return true;
        return false;
    }
    return SUCCEEDED(Direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_REF, window,
                                            D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED,
                                            &PresentParams, &Device));
}

void createFonts()
{
    D3DXFONT_DESCA desc;
    std::memset(&desc, 0, sizeof desc);
    desc.Height = 16;
    desc.Width = 0;
    desc.Weight = FW_NORMAL;
    desc.MipLevels = 1;
    desc.Italic = FALSE;
    desc.CharSet = SHIFTJIS_CHARSET;
    desc.OutputPrecision = OUT_DEFAULT_PRECIS;
    desc.Quality = DEFAULT_QUALITY;
    desc.PitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::memcpy(desc.FaceName, FontFace, sizeof FontFace);
    D3DXCreateFontIndirectA(Device, &desc, &LargeFont);
    desc.Height = 12;
    D3DXCreateFontIndirectA(Device, &desc, &SmallFont);
}

void setDefaultRenderState()
{
    Device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    Device->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
    Device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    Device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    Device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    Device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_ALWAYS);
    Device->SetRenderState(D3DRS_ALPHAREF, 0);
    Device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    Device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_CURRENT);
    Device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_TEXTURE);
    Device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    Device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_CURRENT);
    Device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TEXTURE);
    Device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_NONE);
    Device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    Device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    Device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP);
    Device->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_WRAP);
    Device->SetRenderState(D3DRS_AMBIENT, 0x20202020);
    Device->SetRenderState(D3DRS_LIGHTING, TRUE);
    Device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    Device->SetRenderState(D3DRS_MULTISAMPLEANTIALIAS, FALSE);
    Device->SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
}

void activateDefaultCamera()
{
    if (DefaultCamera.viewport.Width == 0) {
        DefaultCamera.viewport.Width = static_cast<DWORD>(ScreenWidth);
        DefaultCamera.viewport.Height = static_cast<DWORD>(ScreenHeight);
    }
    DefaultCamera.fov = D3DX_PI / 4;
    DefaultCamera.nearZ = 10.0f;
    DefaultCamera.farZ = 1500.0f;
    DefaultCamera.aspect =
        static_cast<float>(DefaultCamera.viewport.Width) / static_cast<float>(DefaultCamera.viewport.Height);
    DefaultCamera.Activate();
}

// The picture keeps its shape in a client area of any other size, centred
// on the window's dark background; in a client area of its own shape it is
// presented over the whole of it, with no rectangle.
const RECT* presentDestination(RECT& picture)
{
    RECT client{};
    if (!pictureInMainWindow(picture) || !GetClientRect(MainWindow, &client)) return nullptr;
    const bool whole =
        picture.left == 0 && picture.top == 0 && picture.right == client.right && picture.bottom == client.bottom;
    return whole ? nullptr : &picture;
}

}  // namespace

namespace orvGraphics {

bool Initialize(HWND window)
{
    Direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (!Direct3D) return false;
    fillPresentParams(window);
    if (!createDevice(window)) {
        Device = nullptr;
        return false;
    }
    ScreenWidth = static_cast<int>(PresentParams.BackBufferWidth);
    ScreenHeight = static_cast<int>(PresentParams.BackBufferHeight);
    MainWindow = window;
    createFonts();
    setDefaultRenderState();
    activateDefaultCamera();
    orvTexture::Empty();
    return true;
}

void BeginFrame()
{
    if (Device) Device->BeginScene();
}

void EndFrame()
{
    if (!Device) return;
    Device->EndScene();
    RECT picture{};
    if (FAILED(Device->Present(nullptr, presentDestination(picture), nullptr, nullptr))) Device->Reset(&PresentParams);
}

void Shutdown()
{
    // The fonts hold references to the device: released first, or the device
    // would outlive its last owner.
    release(LargeFont);
    release(SmallFont);
    release(Device);
    release(Direct3D);
}

}  // namespace orvGraphics
