// BestScores.h — the table of the ten best rounds as the game keeps it in
// "scores.txt" of its scores folder (SaveFolders). The table is read once at
// start-up and written only when a round makes it: under the folder's lock
// the file is read again (another copy of the game may have added rounds),
// the new round is put in its place, and the file is replaced atomically.
// A file with damaged lines is first kept aside as "scores.bad"; the damaged
// lines are reported once and dropped by that write. Any failure leaves the
// game playing, says so in one line of the debug trace, and keeps the
// round in this run's table.
// Limits: main thread. Depends on: ScoreTable, SaveFile, SaveFolders,
// GetLocalTime, OutputDebugStringA.
#pragma once

#include "game/ScoreTable.h"

#include <string>

class BestScores {
public:
    static constexpr const char* FILE_NAME = "scores";

    BestScores();

    void load();
    // A finished round. A score of 0 is not kept. Returns the round's place
    // from 1, or 0 when it did not make the table.
    int record(int32_t score, int32_t chain);
    // Empties the table on disk; false (said on the debug trace) when the
    // file could not be removed.
    bool reset();

    ScoreTable table;
    int lastPlace;  // the place of the last round recorded in this run, 0 for none

private:
    void reportDamage(const ScoreTable& read, const std::string& path);
    void reportOnce(const std::string& message);

    bool damageReported;
    bool failureReported;
};
