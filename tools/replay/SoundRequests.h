// SoundRequests.h — the sounds the game asks for, gathered per tick for the
// trace: every playSoundEffect id, and every music start and stop with the
// track's id and level.
//
// The game's calls are observed without touching its code: the tool is
// linked with the linker's --wrap for playSoundEffect, playMusic and
// stopMusic, whose wrappers note the request and then make the real call.
// A stop is noted only when a track was playing (the game's own musicPlaying
// flag), so the stopMusic of every round start before the first track is not
// a stop. The level is the 0–255 level of the stream the track plays on,
// read when the tick's requests are taken (so a start shows the level the
// tick's setMusicVolume gave it) and, for a stop, just before the stop.
// Limits: main thread only; GNU-style linkers. Depends on: MusicStream
// (currentMusic, musicPlaying), TickRecord.
#pragma once

#include "TickRecord.h"

#include <vector>

namespace replay {

struct SoundRequests {
    std::vector<int> effects;
    std::vector<MusicEvent> music;
};

// The requests since the last call; the next tick starts with none.
SoundRequests takeSoundRequests();

}  // namespace replay
