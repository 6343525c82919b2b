// BestScores.cpp — reading, recording, merging and resetting the table on
// disk.
#include "app/BestScores.h"

#include "app/SaveFile.h"
#include "app/SaveFolders.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

const std::string PendingInfix = ".pending.";

std::string fileIn(const std::string& folder, const std::string& suffix)
{
    return folder + "\\" + BestScores::FILE_NAME + suffix;
}

std::string now(std::string& time)
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    char date[16], clock[16];
    std::snprintf(date, sizeof date, "%04u-%02u-%02u", t.wYear % 10000u, t.wMonth % 100u, t.wDay % 100u);
    std::snprintf(clock, sizeof clock, "%02u:%02u:%02u", t.wHour % 100u, t.wMinute % 100u, t.wSecond % 100u);
    time = clock;
    return date;
}

std::string withError(const std::string& message, DWORD error)
{
    return message + " (error " + std::to_string(error) + ")";
}

void trace(const std::string& line) { OutputDebugStringA(("Vantorel: " + line + "\n").c_str()); }

bool isMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

bool sameRound(const ScoreEntry& a, const ScoreEntry& b)
{
    return a.score == b.score && a.chain == b.chain && a.date == b.date && a.time == b.time && a.extra == b.extra;
}

// Puts the round in its place unless the very same round is there already
// (a pending file merged once more after a crash); true when it went in.
bool addRound(ScoreTable& table, const ScoreEntry& round)
{
    for (const ScoreEntry& entry : table.entries)
        if (sameRound(entry, round)) return false;
    return table.insert(round) > 0;
}

int placeOf(const ScoreTable& table, const ScoreEntry& round)
{
    for (size_t i = 0; i < table.entries.size(); ++i)
        if (sameRound(table.entries[i], round)) return static_cast<int>(i) + 1;
    return 0;
}

// The pending files in the folder: "scores.pending." and a process id (a
// temporary file on its way there has more after it).
std::vector<std::string> pendingFiles(const std::string& folder)
{
    std::vector<std::string> paths;
    const std::string prefix = BestScores::FILE_NAME + PendingInfix;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return paths;
    do {
        const std::string name = found.cFileName;
        if (name.size() > prefix.size() && name.rfind(prefix, 0) == 0 &&
            name.find_first_not_of("0123456789", prefix.size()) == std::string::npos &&
            !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            paths.push_back(folder + "\\" + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return paths;
}

// Puts the rounds of the pending files in the table; `merged` gets the files
// read, to be removed once the table is written. True when a round went in.
bool mergePendingFiles(const std::string& folder, ScoreTable& table, std::vector<std::string>& merged)
{
    bool changed = false;
    for (const std::string& file : pendingFiles(folder)) {
        std::string text;
        if (readSaveFile(file, text) != SaveRead::Read) continue;
        ScoreTable theirs;
        theirs.parse(text);
        for (const ScoreEntry& round : theirs.entries) changed |= addRound(table, round);
        merged.push_back(file);
    }
    return changed;
}

}  // namespace

BestScores::BestScores()
    : lastPlace(0), lastRound{}, waitingForLock(false), damageReported(false), failureReported(false),
      busyReported(false)
{
}

BestScores::~BestScores()
{
    if (unsaved.entries.empty()) return;
    save();
    if (!unsaved.entries.empty()) keepPending();
}

void BestScores::reportOnce(const std::string& message)
{
    if (failureReported) return;
    failureReported = true;
    trace(message + "; this run keeps the round and tries again after its next round and at exit");
}

void BestScores::reportDamage(const ScoreTable& read, const std::string& path)
{
    if (read.badLines.empty() || damageReported) return;
    damageReported = true;
    trace(shownPath(path) + ": " + std::to_string(read.badLines.size()) +
          " damaged line(s) left out of the best scores, the first: \"" + read.badLines.front().substr(0, 80) + "\"");
}

void BestScores::load()
{
    const std::string folder = saveFolders.scores(false);
    if (folder.empty()) return;
    std::string text;
    const std::string path = fileIn(folder, ".txt");
    const SaveRead read = readSaveFile(path, text);
    if (read == SaveRead::TooLarge) {
        damageReported = true;
        trace(shownPath(path) +
              " is too large to be a table of best scores (over 1 MiB); the best scores start "
              "empty, and the file is kept aside as " +
              shownPath(fileIn(folder, ".bad")) + " when the next round is saved");
        return;
    }
    if (read == SaveRead::Failed) {
        trace(shownPath(path) + " could not be read; the best scores start empty");
        return;
    }
    table.parse(text);
    reportDamage(table, path);
}

int BestScores::record(int32_t score, int32_t chain)
{
    lastPlace = 0;
    if (score <= 0) return 0;
    ScoreEntry round{score, chain, "", "", ""};
    round.date = now(round.time);
    lastPlace = table.insert(round);
    if (saveFolders.where == SaveFolders::Where::Nowhere) return lastPlace;
    lastRound = round;
    unsaved.insert(round);
    save();
    return lastPlace;
}

void BestScores::update()
{
    if (waitingForLock) save();
}

// Under the lock: the file read again, with the pending files of other
// copies and this run's unsaved rounds merged in; written only when that
// changed the table.
void BestScores::save()
{
    waitingForLock = false;
    if (unsaved.entries.empty()) return;
    const std::string folder = saveFolders.scores(true);
    DWORD error = ERROR_SUCCESS;
    if (folder.empty()) return reportOnce("no folder was found for the best scores");
    if (!makeSaveFolder(folder, error)) {
        if (error == ERROR_ALREADY_EXISTS) return reportOnce(shownPath(folder) + " is a file, not a folder");
        return reportOnce(withError("the folder " + shownPath(folder) + " could not be made", error));
    }
    SaveLock lock(folder, FILE_NAME);
    if (lock.busy) {
        waitingForLock = true;
        if (!busyReported)
            trace("the best scores in " + shownPath(folder) +
                  " are locked by another copy of the game; the round is saved once it lets go");
        busyReported = true;
        return;
    }
    if (!lock.held)
        return reportOnce(withError("the best scores in " + shownPath(folder) + " could not be locked", lock.error));

    const std::string path = fileIn(folder, ".txt");
    const std::string badPath = fileIn(folder, ".bad");
    std::string text;
    const SaveRead read = readSaveFile(path, text);
    if (read == SaveRead::Failed) {
        error = GetLastError();
        return reportOnce(withError(shownPath(path) + " could not be read again", error));
    }
    ScoreTable onDisk;
    onDisk.parse(text);
    reportDamage(onDisk, path);
    std::vector<std::string> merged;
    bool changed = mergePendingFiles(folder, onDisk, merged) || read == SaveRead::TooLarge;
    for (const ScoreEntry& round : unsaved.entries) changed |= addRound(onDisk, round);

    if (changed) {
        if (read == SaveRead::TooLarge) {
            if (!keepDamagedFile(path, badPath, error))
                return reportOnce(withError("the oversized " + shownPath(path) + " could not be kept aside", error));
            if (!damageReported)
                trace(shownPath(path) + " was too large to be a table of best scores (over 1 MiB); it is kept as " +
                      shownPath(badPath) + " and a fresh table starts");
            damageReported = true;
        }
        if (!onDisk.badLines.empty() && !keepDamagedCopy(badPath, text, error))
            return reportOnce(withError("the damaged " + shownPath(path) + " could not be kept aside", error));
        if (!replaceSaveFile(path, onDisk.format(), error))
            return reportOnce(withError(shownPath(path) + " could not be written", error));
    }
    for (const std::string& file : merged) DeleteFileA(file.c_str());
    table = onDisk;
    table.badLines.clear();
    unsaved = ScoreTable();
    busyReported = false;
    lastPlace = placeOf(table, lastRound);
}

// Without the lock, so that a copy that holds it cannot keep this one from
// ending: the name is this process's alone.
void BestScores::keepPending()
{
    const std::string folder = saveFolders.scores(true);
    DWORD error = ERROR_SUCCESS;
    if (folder.empty() || !makeSaveFolder(folder, error)) return;  // said when the round was saved
    const std::string path = fileIn(folder, PendingInfix + std::to_string(GetCurrentProcessId()));
    // A file of that name was left by an earlier process with the same id.
    ScoreTable pending;
    std::string text;
    if (readSaveFile(path, text) == SaveRead::Read) pending.parse(text);
    for (const ScoreEntry& round : unsaved.entries) addRound(pending, round);
    if (!replaceSaveFile(path, pending.format(), error)) {
        trace(withError("this run's rounds could not be kept in " + shownPath(path), error) +
              "; they are not in the best scores");
        return;
    }
    trace(std::to_string(unsaved.entries.size()) + " round(s) of this run wait in " + shownPath(path) +
          " for the next copy of the game that saves a round");
    unsaved = ScoreTable();
}

bool BestScores::reset()
{
    const std::string folder = saveFolders.scores(false);
    if (!folder.empty()) {
        SaveLock lock(folder, FILE_NAME);
        if (lock.busy) {
            trace("the best scores in " + shownPath(folder) +
                  " are in use by another copy of the game; they are left as they are");
            return false;
        }
        if (!lock.held && !isMissing(lock.error)) {
            trace(withError("the best scores in " + shownPath(folder) + " could not be locked", lock.error) +
                  "; they are left as they are");
            return false;
        }
        // Without a folder to hold the lock file there is no table either.
        std::vector<std::string> files = lock.held ? pendingFiles(folder) : std::vector<std::string>();
        if (lock.held) files.insert(files.begin(), fileIn(folder, ".txt"));
        for (const std::string& file : files) {
            if (DeleteFileA(file.c_str())) continue;
            const DWORD error = GetLastError();
            if (isMissing(error)) continue;
            trace(withError(shownPath(file) + " could not be removed", error));
            return false;
        }
    }
    table = ScoreTable();
    unsaved = ScoreTable();
    waitingForLock = false;
    lastPlace = 0;
    return true;
}
