// SoundCatalogue.h — the sounds the game knows by id: five effects in slots
// 0–4 of the sound system, and the music table of five tracks, ids 10–14.
// registerSounds creates the sound system and fills both at start-up.
#pragma once

enum SoundEffectId {
    SE_ALARM = 0,
    SE_RADAR = 1,
    SE_SYUPON = 2,
    SE_GASYAN = 3,
    SE_START = 4,
};

enum MusicId {
    BGM_HAKUGIN = 10,
    BGM_HOMURA = 11,
    BGM_SIXTH_SENSE = 12,
    BGM_ESCAPERS = 13,
    BGM_PLASTIC_ADVENTURE = 14,
};

constexpr int MUSIC_FIRST_ID = BGM_HAKUGIN;
constexpr int MUSIC_TRACKS = 5;
constexpr int MUSIC_NAME_BYTES = 64;

// File names of music ids 10–14, zero-terminated.
extern char musicTable[MUSIC_TRACKS][MUSIC_NAME_BYTES];

// Creates `soundSystem`, loads the five effects and fills the music table.
void registerSounds();

// The file of music id `id`, or null for an id without an entry.
const char* musicFile(int id);
