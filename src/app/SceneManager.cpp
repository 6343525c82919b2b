// SceneManager.cpp — scene installation and the manager's lifetime.
#include "app/Scene.h"

#include "app/FrameClock.h"
#include "framework/Destroy.h"

SceneManager* sceneManager = nullptr;

SceneManager::SceneManager() : scene(nullptr), drawThisFrame(0), nextTime(FrameClockNow()) {}

SceneManager::~SceneManager() { destroy(scene); }

void SceneManager::SetScene(Scene* newScene)
{
    destroy(scene);
    scene = newScene;
    if (scene) scene->Initialize();
}
