// ParticleStore.cpp — creation and release of the particle store.
#include "framework/graphics/ParticleStore.h"

#include "framework/graphics/orvSprite.h"

orvParticleStore* ParticleStore = nullptr;

void CreateParticleStore()
{
    if (ParticleStore) return;
    ParticleStore = new orvParticleStore();
    ParticleStore->particles = new Particle[ParticleCount];
    for (int i = 0; i < ParticleCount; ++i) ParticleStore->particles[i].inUse = 0;
    ParticleStore->sprite = new orvSprite("DATA\\PARTICLE.PNG");
}

void ReleaseParticleStore()
{
    if (!ParticleStore) return;
    delete[] ParticleStore->particles;
    ParticleStore->particles = nullptr;
    if (ParticleStore->sprite) {
        delete ParticleStore->sprite;
        ParticleStore->sprite = nullptr;
    }
    delete ParticleStore;
    ParticleStore = nullptr;
}
