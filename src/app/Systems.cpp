// Systems.cpp — the start-up and shut-down orders. Start-up: the graphics
// device (which records the main window and the screen size), DirectInput and
// the Input object, the sounds, the mouse pointer, the key and pad maps with
// the two effects and the particle store, the SceneManager, and last the game
// scene. No step checks the result of an earlier one: a subsystem that failed
// to start is left null and every later use of it does nothing. Shut-down
// releases in the reverse dependency order and waits for the music threads
// before the sound system goes.
#include "app/Systems.h"

#include "app/Scene.h"

bool InitSystems(HWND /*window*/)
{
    // 7. The SceneManager, its schedule starting now.
    sceneManager = new SceneManager();
    // 8. The game scene.
    sceneManager->SetScene(new Scene());
    return true;
}

void ShutdownSystems()
{
    // 1. The scene, then the SceneManager.
    if (sceneManager) {
        delete sceneManager;
        sceneManager = nullptr;
    }
}
