// SoundCatalogue.cpp — registerSounds: the sound system, the five effects and
// the music table. Paths are relative to the working directory.
#include "framework/sound/SoundCatalogue.h"

#include "framework/sound/SoundSystem.h"

#include <cstring>

char musicTable[MUSIC_TRACKS][MUSIC_NAME_BYTES];

namespace {

const char* const effectFiles[] = {
    "DATA/Sound/SE/alarm.wav",  "DATA/Sound/SE/meka_mi_radar01.wav", "DATA/Sound/SE/ta_ta_syupon01.wav",
    "DATA/Sound/SE/gasyan.wav", "DATA/Sound/SE/start.wav",
};

const char* const musicFiles[MUSIC_TRACKS] = {
    "DATA/Sound/BGM/Tonfal/hakugin.ogg",          "DATA/Sound/BGM/Emberlo/homura.ogg",
    "DATA/Sound/BGM/Emberlo/sixth_sense.ogg",     "DATA/Sound/BGM/Emberlo/the_escapers_fly_into_the_sky.ogg",
    "DATA/Sound/BGM/Tonfal/PlasticAdventure.ogg",
};

}  // namespace

void registerSounds()
{
    soundSystem = new SoundSystem();
    for (int id = SE_ALARM; id <= SE_START; ++id) soundSystem->setSoundEffect(id, effectFiles[id]);
    for (int track = 0; track < MUSIC_TRACKS; ++track) {
        std::strncpy(musicTable[track], musicFiles[track], MUSIC_NAME_BYTES - 1);
        musicTable[track][MUSIC_NAME_BYTES - 1] = '\0';
    }
}

const char* musicFile(int id)
{
    const int track = id - MUSIC_FIRST_ID;
    if (track < 0 || track >= MUSIC_TRACKS || musicTable[track][0] == '\0') return nullptr;
    return musicTable[track];
}
