// SoundRequests.cpp — the --wrap wrappers of the game's three sound calls.
// The wrapped names are the Itanium C++ mangled names of
// playSoundEffect(int), playMusic(int) and stopMusic(); CMakeLists.txt passes
// the matching --wrap options.
#include "SoundRequests.h"

#include "framework/sound/MusicStream.h"

#include <optional>

extern "C" {
void __real__Z15playSoundEffecti(int id);
void __real__Z9playMusici(int id);
void __real__Z9stopMusicv();
void __wrap__Z15playSoundEffecti(int id);
void __wrap__Z9playMusici(int id);
void __wrap__Z9stopMusicv();
}

namespace replay {

namespace {

SoundRequests pending;
int playingId = 0;
// The start noted this tick whose level is still to be read, if any.
std::optional<size_t> unreadStart;

std::optional<int> currentLevel()
{
    if (!musicPlaying || !currentMusic || !currentMusic->buffer) return std::nullopt;
    return static_cast<int>(currentMusic->volume);
}

}  // namespace

SoundRequests takeSoundRequests()
{
    if (unreadStart) pending.music[*unreadStart].level = currentLevel();
    unreadStart.reset();
    SoundRequests taken = std::move(pending);
    pending = SoundRequests{};
    return taken;
}

}  // namespace replay

using namespace replay;

void __wrap__Z15playSoundEffecti(int id)
{
    pending.effects.push_back(id);
    __real__Z15playSoundEffecti(id);
}

void __wrap__Z9playMusici(int id)
{
    __real__Z9playMusici(id);
    playingId = id;
    pending.music.push_back(MusicEvent{true, id, std::nullopt});
    unreadStart = pending.music.size() - 1;
}

void __wrap__Z9stopMusicv()
{
    if (musicPlaying) {
        const std::optional<int> level = currentLevel();
        if (unreadStart) pending.music[*unreadStart].level = level;
        unreadStart.reset();
        pending.music.push_back(MusicEvent{false, playingId, level});
    }
    __real__Z9stopMusicv();
}
