// Scene.h — the scene base class and the SceneManager that owns the current
// scene and keeps the frame schedule.
#pragma once

#include <windows.h>

class Scene {
public:
    virtual ~Scene() {}
    virtual bool Initialize() { return true; }
    virtual void Update() {}
    virtual void Render() {}
};

struct SceneManager {
    Scene* scene;           // the current scene, owned; null until start-up installs one
    int drawThisFrame;      // written by every Tick: 1 when the tick is to be drawn
    unsigned int nextTime;  // the frame schedule, in tenths of a millisecond

    SceneManager();
    ~SceneManager();
    // Installs a newly constructed scene: the old one is destroyed first, then
    // the new one becomes current and is initialised.
    void SetScene(Scene* newScene);
};

extern SceneManager* sceneManager;
