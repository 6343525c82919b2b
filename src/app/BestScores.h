// BestScores.h — the table of the ten best rounds as the game keeps it in
// "scores.txt" of its scores folder (SaveFolders). The table is read once at
// start-up and written when a round makes it: under the folder's lock the
// file is read again (another copy of the game may have added rounds), the
// new round is put in its place, and the file is replaced atomically.
// The lock is only ever tried: while another copy holds it, the round stays
// in this run's table and is saved on a later tick between rounds, once the
// lock is free. A round still unsaved when the table goes (at exit) is
// written, without the lock, to a pending file of this process's own beside
// the table ("scores.pending.<process id>"); the next copy that saves merges
// every pending file into the table and removes it.
// A file with damaged lines is first kept aside as "scores.bad" (the earlier
// ones move on to "scores.bad.1" and "scores.bad.2"); the damaged lines are
// reported once and dropped by that write. A file too large to be a table is
// moved aside the same way and a fresh table started. Any other failure
// leaves the game playing, says so in one line of the debug trace, keeps the
// round in this run's table and tries again after the next round and at exit.
// Limits: main thread. Depends on: ScoreTable, SaveFile, SaveFolders,
// GetLocalTime, GetCurrentProcessId, FindFirstFileA, OutputDebugStringA.
#pragma once

#include "game/ScoreTable.h"

#include <string>

class BestScores {
public:
    static constexpr const char* FILE_NAME = "scores";

    BestScores();
    // Saves what is still unsaved, or leaves it in the pending file.
    ~BestScores();
    BestScores(const BestScores&) = delete;
    BestScores& operator=(const BestScores&) = delete;

    void load();
    // A finished round. A score of 0 is not kept. Returns the round's place
    // from 1, or 0 when it did not make the table.
    int record(int32_t score, int32_t chain);
    // Once a tick while no round runs: saves the rounds that waited for
    // another copy's lock.
    void update();
    // Empties the table on disk, pending rounds included; false (said on the
    // debug trace) when it was left as it was: not locked (another copy holds
    // the lock) or not removed.
    bool reset();

    ScoreTable table;
    int lastPlace;  // the place of the last round recorded in this run, 0 for none

private:
    void save();
    void keepPending();
    void reportDamage(const ScoreTable& read, const std::string& path);
    void reportOnce(const std::string& message);

    ScoreTable unsaved;    // this run's rounds that are not in the file yet
    ScoreEntry lastRound;  // the round lastPlace tells of
    bool waitingForLock;
    bool damageReported;
    bool failureReported;
    bool busyReported;
};
