// SoundPause.h — a paused round's sounds: every effect that sounds and the
// current track stop where they are; resuming plays them on from there.
// Limits: main thread. Depends on: SoundSystem (the effects), Music (the
// current track).
#pragma once

void pauseSounds();
void resumeSounds();
