// Start-up and shut-down as the platform sees them: the recorded calls of a
// whole InitSystems and ShutdownSystems, in the fixed orders.
#include "app/GameWindow.h"
#include "app/Scene.h"
#include "app/Systems.h"

#include "platform/testing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Position of the first recorded call starting with `prefix`; the size of
// `calls` when there is none.
size_t firstCall(const std::vector<std::string>& calls, const std::string& prefix)
{
    return static_cast<size_t>(
        std::find_if(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }) -
        calls.begin());
}

void expectInOrder(const std::vector<std::string>& calls, const std::vector<std::string>& steps)
{
    size_t previous = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        const size_t at = firstCall(calls, steps[i]);
        ASSERT_LT(at, calls.size()) << steps[i] << " never happened";
        if (i > 0) {
            EXPECT_GT(at, previous) << steps[i] << " came before " << steps[i - 1];
        }
        previous = at;
    }
}

TEST(Systems, StartUpAndShutDownRunInTheirFixedOrders)
{
    testmode::enable();
    testmode::enableAudioDevice(true);
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWDEFAULT);
    ASSERT_NE(window, nullptr);

    testmode::clearCalls();
    EXPECT_TRUE(InitSystems(window));
    const std::vector<std::string> startUp = testmode::calls();
    expectInOrder(startUp, {
                               "Direct3DCreate9",
                               "CreateDevice",
                               "DirectInput8Create",
                               "DirectSoundCreate8",
                               "ShowCursor(FALSE)",
                               "D3DXCreateTextureFromFileExA(DATA/mouse/MousePointer.png)",
                               "D3DXCreateTextureFromFileExA(DATA/mouse/PointRotate.png)",
                               "D3DXCreateEffectFromFileA(DATA\\SHADER\\3DEx.fx)",
                               "D3DXCreateEffectFromFileA(DATA\\SHADER\\2D.fx)",
                               "D3DXCreateTextureFromFileExA(DATA\\PARTICLE.PNG)",
                               "D3DXCreateTextureFromFileExA(DATA/PuzzleField/peace.png)",
                               "D3DXCreateTextureFromFileExA(DATA/gamestart.png)",
                           });
    ASSERT_NE(sceneManager, nullptr);
    EXPECT_NE(sceneManager->scene, nullptr);

    testmode::clearCalls();
    ShutdownSystems();
    const std::vector<std::string> shutDown = testmode::calls();
    // The device goes before input, the music threads and the sound system.
    expectInOrder(shutDown, {"Release(IDirect3DDevice9) = 0", "Release(IDirect3D9) = 0", "IDirectInput8::Release",
                             "IDirectSound8::Release"});
    EXPECT_EQ(sceneManager, nullptr);

    testmode::enableAudioDevice(false);
    DestroyWindow(window);
}

}  // namespace
