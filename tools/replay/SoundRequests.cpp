// SoundRequests.cpp — the recorder behind the sound framework's listener.
#include "SoundRequests.h"

#include "framework/sound/MusicStream.h"

namespace replay {

namespace {

std::optional<int> currentLevel()
{
    if (!musicPlaying || !currentMusic || !currentMusic->buffer) return std::nullopt;
    return static_cast<int>(currentMusic->volume);
}

}  // namespace

SoundRequestRecorder::SoundRequestRecorder() { soundListener = this; }

SoundRequestRecorder::~SoundRequestRecorder() { soundListener = nullptr; }

SoundRequests SoundRequestRecorder::take()
{
    if (unreadStart_) pending_.music[*unreadStart_].level = currentLevel();
    unreadStart_.reset();
    SoundRequests taken = std::move(pending_);
    pending_ = SoundRequests{};
    return taken;
}

void SoundRequestRecorder::effectRequested(int id) { pending_.effects.push_back(id); }

void SoundRequestRecorder::musicStarted(int id)
{
    playingId_ = id;
    pending_.music.push_back(MusicEvent{true, id, std::nullopt});
    unreadStart_ = pending_.music.size() - 1;
}

void SoundRequestRecorder::musicStopping()
{
    const std::optional<int> level = currentLevel();
    if (unreadStart_) pending_.music[*unreadStart_].level = level;
    unreadStart_.reset();
    pending_.music.push_back(MusicEvent{false, playingId_, level});
}

}  // namespace replay
