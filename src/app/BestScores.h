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
// A round that makes the table keeps its round file (the text of the round
// as played) beside the table, named from its entry
// ("round-YYYYMMDD-HHMMSS-SCORE.txt", "-2" and on added when that is taken)
// and linked from its line. The name is taken when the round is recorded, by
// making the file new (never over another's file), so it is this round's
// alone: its text is written under the lock with the table, or while another
// copy holds the lock, or at exit before the pending file that links it.
// A save removes the round files of the entries that dropped out of the top
// ten (of the table read again, the pending files merged in and this run's
// rounds), under the lock; no other file of the folder is touched, since
// another copy may have written a round whose line it has not saved yet. A
// round file that is missing or damaged leaves its entry as it is.
// A table of a day (the rounds of the day's round, UTC) is kept the same way
// beside it, in "day-YYYYMMDD.txt" (its pending files
// "day-YYYYMMDD.pending.<process id>", its damaged ones "day-YYYYMMDD.bad"),
// under the same lock, its round files named by the same rule. A save of a
// day's table drops the days more than DaysKept - 1 days before it, found by
// name (exactly "day-" and a real date, then ".txt", ".pending.<process id>",
// ".bad", ".bad.1" or ".bad.2"): their files and the round files their
// readable lines link; a day's file that cannot be read stays, with its
// rounds. The main table and its rounds are never touched by a day's.
// Limits: main thread; round files up to MAX_ROUND_FILE_BYTES. Depends on:
// ScoreTable, RoundFile (its limit), SaveFile, SaveFolders, GetLocalTime,
// GetCurrentProcessId, CreateFileA, DeleteFileA, FindFirstFileA,
// OutputDebugStringA.
#pragma once

#include "game/ScoreTable.h"

#include <cstdint>
#include <string>
#include <vector>

class BestScores {
public:
    static constexpr const char* FILE_NAME = "scores";
    // Today's table and the six days before it.
    static constexpr int DaysKept = 7;

    // The main table, in "scores.txt".
    BestScores();
    // The table of the day `day` (a date as yyyymmdd), in
    // "day-YYYYMMDD.txt". A number that is not a date keeps its table under
    // that name but drops no other day.
    explicit BestScores(uint32_t day);
    // The day of a day's table, 0 for the main table.
    uint32_t day() const { return tableDay; }
    // Saves what is still unsaved, or leaves it in the pending file.
    ~BestScores();
    BestScores(const BestScores&) = delete;
    BestScores& operator=(const BestScores&) = delete;

    void load();
    // A finished round. A score of 0 is not kept. Returns the round's place
    // from 1, or 0 when it did not make the table. A round that makes it
    // keeps `roundText` (its round file; empty: none) with its entry.
    int record(int32_t score, int32_t chain, const std::string& roundText = {});
    // Once a tick while no round runs: saves the rounds that waited for
    // another copy's lock.
    void update();
    // Empties the table on disk, pending rounds and the entries' round files
    // included; false (said on the debug trace) when it was left as it was:
    // not locked (another copy holds the lock) or not removed.
    bool reset();
    // Empties the main table and every day's table on disk (`--reset-scores`),
    // with their pending files and round files, under one lock; false (said
    // on the debug trace) when something was left.
    static bool resetAll();

    // The round of `table.entries[index]`: this run's text not written yet,
    // else its file. False (said on the debug trace when a file was named)
    // for an entry without a round, or a file missing, unreadable, too large
    // or not a round file.
    bool readRound(size_t index, std::string& text) const;
    // Where the entry's round file is, as the game's file calls take it
    // (shownPath for a message); empty when it has none.
    std::string roundPath(size_t index) const;

    ScoreTable table;
    int lastPlace;  // the place of the last round recorded in this run, 0 for none

private:
    // A round file this run named: its text until it is written, and the
    // name until a save under the lock settles it (kept with its entry, or
    // removed with it).
    struct RunRound {
        std::string name;
        std::string text;
        bool written;
    };

    std::string keepRound(const ScoreEntry& round, const std::string& text);
    bool writeRounds(const std::string& folder);
    void save();
    void keepPending();
    void reportDamage(const ScoreTable& read, const std::string& path);
    void reportOnce(const std::string& message);
    BestScores(const std::string& name, uint32_t day);
    std::string pathIn(const std::string& folder, const std::string& suffix) const;

    std::string fileName;  // "scores", or "day-YYYYMMDD" for a day's table
    uint32_t tableDay;     // 0 for the main table
    ScoreTable unsaved;    // this run's rounds that are not in the file yet
    ScoreEntry lastRound;  // the round lastPlace tells of
    std::vector<RunRound> runRounds;
    bool waitingForLock;
    bool damageReported;
    bool failureReported;
    bool busyReported;
};
