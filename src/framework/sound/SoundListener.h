// SoundListener.h — a window on the sounds the game asks for, for tools that
// record a run (the replay tool writes them into its trace). It sees the
// requests themselves, which DirectSound's side cannot show: the id of an
// effect whose slot is empty, the music id behind a stream, and a stop asked
// while no stream exists.
//
// The shipped game sets no listener; with none set each request costs one
// null test and nothing else changes. A listener must not call back into the
// sound system. Main thread only, as the requests are.
#pragma once

class SoundListener {
public:
    // playSoundEffect(id) was called, before it plays anything (with or
    // without a device or an effect in the slot).
    virtual void effectRequested(int id) = 0;
    // playMusic(id) has run; currentMusic is the new stream, or null when
    // none could start.
    virtual void musicStarted(int id) = 0;
    // stopMusic() is about to stop the current track; called only while a
    // track counts as playing (musicPlaying), so currentMusic is still the
    // stream being stopped, or null.
    virtual void musicStopping() = 0;

protected:
    ~SoundListener() = default;
};

// The listener, or null (the default). Set and cleared by its owner.
extern SoundListener* soundListener;
