// Systems.cpp — the start-up and shut-down orders. Start-up: the graphics
// device (which records the main window and the screen size), DirectInput and
// the Input object, the sounds, the mouse pointer, the key and pad maps with
// the two effects and the particle store, the SceneManager, and last the game
// scene. No step checks the result of an earlier one: a subsystem that failed
// to start is left null and every later use of it does nothing. Shut-down
// writes the settings the loop has not written yet, then releases in the
// reverse dependency order and waits for the music threads before the sound
// system goes.
#include "app/Systems.h"

#include "app/MousePointer.h"
#include "app/Scene.h"
#include "app/Settings.h"
#include "app/sceneMain.h"
#include "framework/Destroy.h"
#include "framework/graphics/ParticleStore.h"
#include "framework/graphics/orvGraphics.h"
#include "framework/graphics/orvShader.h"
#include "framework/input/GameInputConfig.h"
#include "framework/input/Input.h"
#include "framework/sound/MusicStream.h"
#include "framework/sound/SoundCatalogue.h"
#include "framework/sound/SoundSystem.h"

bool InitSystems(HWND window)
{
    // 1. The graphics device; records MainWindow and the screen size.
    orvGraphics::Initialize(window);
    // 2. DirectInput and the list of attached pads.
    createDirectInput();
    // 3. The Input object, which opens the first pad.
    input = new Input();
    // 4. The sound system, its five effects and the music table.
    registerSounds();
    // 5. The mouse pointer: the system cursor hidden, the two sprites loaded.
    MousePointer::Create();
    // 6.1, 6.2 The key and pad assignment.
    input->setKeyMap(GAME_KEY_CONFIG);
    input->setPadMap(GAME_PAD_CONFIG);
    // 6.3 The two effects: 3DEx, then 2D.
    Shader3DEx = new orvShader("DATA\\SHADER\\3DEx.fx");
    Shader2D = new orvShader("DATA\\SHADER\\2D.fx");
    // 6.4 The particle store.
    CreateParticleStore();
    // 7. The SceneManager, its schedule starting now.
    sceneManager = new SceneManager();
    // 8. The game scene.
    sceneManager->SetScene(new sceneMain());
    return true;
}

void ShutdownSystems()
{
    // 0. The settings the player changed that the loop has not written yet.
    settings.writeBeforeExit();
    // 1. The scene, then the SceneManager.
    destroy(sceneManager);
    // 2. The mouse pointer's sprites.
    MousePointer::Release();
    // 3. The particle store.
    ReleaseParticleStore();
    // 4. The two effects, 3DEx then 2D, before the device.
    destroy(Shader3DEx);
    destroy(Shader2D);
    orvGraphics::Shutdown();
    // 5. The Input object (its pad), then 6. DirectInput.
    destroy(input);
    releaseDirectInput();
    // 7. The music threads, which play into the sound system's device.
    // 8. The sound system; left to the end of the process while a music
    // thread that did not end in time may still use it.
    if (stopAllMusic()) destroy(soundSystem);
}
