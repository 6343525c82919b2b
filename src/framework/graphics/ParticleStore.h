// ParticleStore.h — the particle store that start-up reserves: 10000 particle
// records, each beginning with its in-use flag, and the particle sprite.
// Nothing in the game emits, moves or draws particles.
#pragma once

#include <windows.h>

class orvSprite;

constexpr int ParticleCount = 10000;

struct Particle {
    BYTE inUse;
};

struct orvParticleStore {
    Particle* particles;
    orvSprite* sprite;
};

// Created by start-up after the two effects, released by shut-down after the
// mouse pointer; null outside that span.
extern orvParticleStore* ParticleStore;

// Allocates the records with every in-use flag cleared and loads
// "DATA\PARTICLE.PNG".
void CreateParticleStore();
// Frees the records, then the sprite, then the store.
void ReleaseParticleStore();
