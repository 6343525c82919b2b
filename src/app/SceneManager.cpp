// SceneManager.cpp — scene installation and the manager's lifetime.
#include "app/Scene.h"

#include "app/FrameClock.h"

SceneManager* sceneManager = nullptr;

SceneManager::SceneManager() : scene(nullptr), drawThisFrame(0), nextTime(FrameClockNow()) {}

SceneManager::~SceneManager()
{
    if (scene) {
        delete scene;
        scene = nullptr;
    }
}

void SceneManager::SetScene(Scene* newScene)
{
    if (scene) {
        delete scene;
        scene = nullptr;
    }
    scene = newScene;
    if (scene) scene->Initialize();
}
