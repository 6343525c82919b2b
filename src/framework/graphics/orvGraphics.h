// orvGraphics.h — the game's one Direct3D 9 device and the values the other
// subsystems share (the device, and MainWindow and the back-buffer size, which
// Initialize records and core/MainWindow.h declares), the two fonts, the
// framework's default camera, and the frame bracket.
// Initialize comes before every other graphics call; Shutdown after the
// effects and sprites are gone.
#pragma once

#include <windows.h>

#include <d3d9.h>
#include <d3dx9.h>

#include "framework/core/MainWindow.h"

class orvCamera;

extern IDirect3D9* Direct3D;
extern IDirect3DDevice9* Device;
extern D3DPRESENT_PARAMETERS PresentParams;
extern ID3DXFont* LargeFont;
extern ID3DXFont* SmallFont;
extern orvCamera DefaultCamera;

namespace orvGraphics {

// True when a device exists afterwards: a HAL device with hardware, mixed or
// software vertex processing, or else a reference device.
bool Initialize(HWND window);
void BeginFrame();
// Ends the scene and presents; a failed Present gets one Reset attempt.
void EndFrame();
// Releases the fonts, the device, then the Direct3D object. A second call
// does nothing.
void Shutdown();

}  // namespace orvGraphics
