// SoundRequests.h — the sounds the game asks for, gathered per tick for the
// trace: every playSoundEffect id, and every music start and stop with the
// track's id and level.
//
// The requests come through the sound framework's listener (SoundListener),
// which the recorder is from its construction to its destruction. A stop is
// noted only when a track was playing (the framework calls musicStopping only
// then), so the stopMusic of every round start before the first track is not
// a stop. The level is the 0–255 level of the stream the track plays on,
// read when the tick's requests are taken (so a start shows the level the
// tick's setMusicVolume gave it) and, for a stop, just before the stop.
// Limits: one recorder at a time, main thread only. Depends on: SoundListener,
// MusicStream (currentMusic, musicPlaying), TickRecord.
#pragma once

#include "TickRecord.h"

#include "framework/sound/SoundListener.h"

#include <optional>
#include <vector>

namespace replay {

struct SoundRequests {
    std::vector<int> effects;
    std::vector<MusicEvent> music;
};

class SoundRequestRecorder final : public SoundListener {
public:
    SoundRequestRecorder();
    ~SoundRequestRecorder();
    SoundRequestRecorder(const SoundRequestRecorder&) = delete;
    SoundRequestRecorder& operator=(const SoundRequestRecorder&) = delete;

    // The requests since the last call; the next tick starts with none.
    SoundRequests take();

    void effectRequested(int id) override;
    void musicStarted(int id) override;
    void musicStopping() override;

private:
    SoundRequests pending_;
    int playingId_ = 0;
    // The start noted this tick whose level is still to be read, if any.
    std::optional<size_t> unreadStart_;
};

}  // namespace replay
