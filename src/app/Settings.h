// Settings.h — what the player can change, kept in "settings.txt" of the
// settings folder (SaveFolders), written as safely as the best scores:
//
//     vantorel-settings 1
//     volume = 100
//     mute = no
//     fullscreen = no
//
// The file is the player's as much as the game's: a write reads it again
// under the lock and changes only the lines of the keys this copy changed
// since it last read or wrote them; every other line (unknown keys, a
// comment, a value that cannot be read, another copy's changes) stays as it
// stands and where it stands. A value that cannot be read leaves its
// setting as it was, with one line on the debug trace. A file whose version
// line (its first line with anything on it) names a version this one does
// not write (a newer game's, or one that cannot be read) is read for the
// keys understood here and never written: changes then hold for this run.
//
// Changes are not written at once: once they are a second old the message
// loop has them written on a thread of their own, so that no tick waits for
// the disk, and shut-down writes what is left.
// Limits: main thread (the write's thread works on a copy of its own), one
// write at a time in the program. Depends on: SaveFile, SaveFolders,
// FrameClock, CreateThread.
#pragma once

#include <string>
#include <vector>

struct Settings {
    static constexpr int VERSION = 1;
    static constexpr const char* HEADER = "vantorel-settings";
    static constexpr const char* FILE_NAME = "settings";
    static constexpr int KEY_COUNT = 3;
    // In the frame clock's tenths of a millisecond.
    static constexpr unsigned int WRITE_DELAY = 10000;    // a change is written when a second old
    static constexpr unsigned int WRITE_MARGIN = 20;      // kept free before the next tick
    static constexpr unsigned int LONGEST_COUNTED = 100;  // a slower disk still gets its write

    Settings();

    int volume = 100;  // 0 to 100
    bool mute = false;
    bool fullscreen = false;

    // Reads the text form over the current values, which become the ones
    // kept in the file; returns the lines that were not understood (bad
    // values, lines without a key; comments starting with '#' are not).
    std::vector<std::string> parse(const std::string& text);
    // `onDisk` with the keys this copy changed set to their values, every
    // other line verbatim and in place; an empty file gets every key. False
    // when `onDisk` comes from a version this one does not write.
    bool merge(const std::string& onDisk, std::string& text) const;
    // True when a value differs from the one kept in the file.
    bool changed() const;

    void load();
    enum class Outcome { Written, Busy, Refused };
    // Writes the changed keys now, under the lock. Busy: another copy holds
    // the lock; Refused: the file was left as it was (said on the trace).
    Outcome save();

    // Every pass of the loop that runs no message, `msLeft` before the next
    // tick (0 after a tick): once the changes are a second old, starts their
    // write on a thread of its own (or, where no thread is to be had, writes
    // them here when the wait holds a write as long as the ones before); a
    // write that fails, or changes made while one runs, are written a second
    // after it ends. True when it started a write or wrote.
    bool writeWhenDue(unsigned int now, unsigned int msLeft);
    // Shut-down: waits for a write under way, then writes what is still
    // unwritten, waiting a moment for a lock another copy holds.
    void writeBeforeExit();

private:
    // True once no write runs on its thread (waiting up to `waitMs` for it).
    bool writeEnded(unsigned int waitMs);

    std::string kept[KEY_COUNT];  // the values as the file has them
    bool waiting = false;         // a change seen, not yet written
    unsigned int dueAt = 0;
    unsigned int expectedCost = 50;  // of a write, from the ones before
    bool troubleSaid = false;        // since the last write that worked
};

extern Settings settings;
