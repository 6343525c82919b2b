// BestScores.cpp — reading, recording, merging and resetting the table on
// disk, and the round files kept with its entries.
#include "app/BestScores.h"

#include "app/SaveFile.h"
#include "app/SaveFolders.h"
#include "game/RoundFile.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

namespace {

const std::string PendingInfix = ".pending.";
// What every round file starts with; the rest is read by whoever plays it.
const std::string RoundHeader = "vantorel-round ";
// "round-...-1870.txt", then "-2" to this many.
constexpr int RoundNameTries = 99;

const std::string DayPrefix = "day-";
constexpr size_t DayDigits = 8;

// The file `name` + `suffix` of a table named `name` ("scores", "day-...").
std::string fileIn(const std::string& folder, const std::string& name, const std::string& suffix)
{
    return folder + "\\" + name + suffix;
}

bool allDigits(const std::string& text, size_t from)
{
    return text.size() > from && text.find_first_not_of("0123456789", from) == std::string::npos;
}

// yyyymmdd of a real date, years 1 to 9999.
bool isDate(uint32_t day)
{
    static const uint32_t monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const uint32_t year = day / 10000, month = day / 100 % 100, date = day % 100;
    if (year < 1 || year > 9999 || month < 1 || month > 12 || date < 1) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return date <= monthDays[month - 1] + (month == 2 && leap ? 1u : 0u);
}

// The days from 1 March of the year 0 to a date (isDate), so that dates a
// month or a year apart compare by their days.
int64_t dayNumber(uint32_t day)
{
    const int64_t month = day / 100 % 100, date = day % 100;
    const int64_t year = day / 10000 - (month <= 2 ? 1 : 0);
    const int64_t inYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + date - 1;
    return year * 365 + year / 4 - year / 100 + year / 400 + inYear;
}

// ".bad", ".bad.1", ...: the kept damaged files' endings.
std::string damagedSuffix(int number) { return ".bad" + (number == 0 ? std::string() : "." + std::to_string(number)); }

std::string dayName(uint32_t day)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*u", static_cast<int>(DayDigits), static_cast<unsigned>(day));
    return DayPrefix + digits;
}

// A file of a day's table: exactly "day-", a date, and ".txt",
// ".pending.<process id>", ".bad" or ".bad.<number>" (the kept damaged
// files); `day` gets the date.
enum class DayFile { None, Table, Pending, Damaged };
DayFile dayFileOf(const std::string& name, uint32_t& day)
{
    const size_t end = DayPrefix.size() + DayDigits;
    if (name.rfind(DayPrefix, 0) != 0 || name.size() <= end ||
        name.find_first_not_of("0123456789", DayPrefix.size()) != end)
        return DayFile::None;
    day = static_cast<uint32_t>(std::stoul(name.substr(DayPrefix.size(), DayDigits)));
    if (!isDate(day)) return DayFile::None;
    const std::string rest = name.substr(end);
    if (rest == ".txt") return DayFile::Table;
    if (rest.rfind(PendingInfix, 0) == 0 && allDigits(rest, PendingInfix.size())) return DayFile::Pending;
    for (int number = 0; number < DAMAGED_KEPT; ++number)
        if (rest == damagedSuffix(number)) return DayFile::Damaged;
    return DayFile::None;
}

// The files of days' tables in the folder, as dayFileOf reads their names.
struct FoundDayFile {
    uint32_t day;
    DayFile kind;
};
std::vector<FoundDayFile> dayFiles(const std::string& folder)
{
    std::vector<FoundDayFile> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + DayPrefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        uint32_t day = 0;
        const DayFile kind = dayFileOf(found.cFileName, day);
        if (kind != DayFile::None && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back(FoundDayFile{day, kind});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
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

std::string roundFileIn(const std::string& folder, const std::string& name) { return folder + "\\" + name; }

std::string digitsOf(const std::string& stamp)
{
    std::string digits;
    for (char c : stamp)
        if (c >= '0' && c <= '9') digits += c;
    return digits;
}

// Adds the round files the table's entries name.
void addNames(const ScoreTable& table, std::vector<std::string>& names)
{
    for (const ScoreEntry& entry : table.entries)
        if (!entry.round.empty()) names.push_back(entry.round);
}

bool names(const ScoreTable& table, const std::string& name)
{
    return std::any_of(table.entries.begin(), table.entries.end(),
                       [&](const ScoreEntry& entry) { return entry.round == name; });
}

// Removes the round files of `met` that no entry of `kept` names: the
// rounds that dropped out of the table.
void removeDroppedRounds(const std::string& folder, std::vector<std::string> met, const ScoreTable& kept)
{
    std::sort(met.begin(), met.end());
    met.erase(std::unique(met.begin(), met.end()), met.end());
    for (const std::string& name : met) {
        if (names(kept, name)) continue;
        const std::string path = roundFileIn(folder, name);
        if (DeleteFileA(path.c_str())) continue;
        const DWORD error = GetLastError();
        if (!isMissing(error))
            trace(withError(
                "the round file " + shownPath(path) + " of an entry that left the table could not be removed", error));
    }
}

bool sameRound(const ScoreEntry& a, const ScoreEntry& b)
{
    return a.score == b.score && a.chain == b.chain && a.date == b.date && a.time == b.time && a.extra == b.extra &&
           a.round == b.round;
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

// The pending files of the table `name` in the folder: "<name>.pending."
// and a process id (a temporary file on its way there has more after it).
std::vector<std::string> pendingFiles(const std::string& folder, const std::string& table)
{
    std::vector<std::string> paths;
    const std::string prefix = table + PendingInfix;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return paths;
    do {
        const std::string name = found.cFileName;
        if (name.rfind(prefix, 0) == 0 && allDigits(name, prefix.size()) &&
            !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            paths.push_back(folder + "\\" + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return paths;
}

// Puts the rounds of the pending files in the table; `merged` gets the files
// read, to be removed once the table is written, and `met` the round files
// their entries name. True when a round went in.
bool mergePendingFiles(const std::string& folder, const std::string& name, ScoreTable& table,
                       std::vector<std::string>& merged, std::vector<std::string>& met)
{
    bool changed = false;
    for (const std::string& file : pendingFiles(folder, name)) {
        std::string text;
        if (readSaveFile(file, text) != SaveRead::Read) continue;
        ScoreTable theirs;
        theirs.parse(text);
        addNames(theirs, met);
        for (const ScoreEntry& round : theirs.entries) changed |= addRound(table, round);
        merged.push_back(file);
    }
    return changed;
}

// Under the lock: removes the table `name`, its pending files and the round
// files they and `met` link, but none of `spared`. With `keepUnread` a file
// that cannot be read stays, and so do the rounds it may link. False (said)
// when a file could not be removed.
bool removeTable(const std::string& folder, const std::string& name, std::vector<std::string> met,
                 const std::vector<std::string>& spared, bool keepUnread)
{
    std::vector<std::string> files = pendingFiles(folder, name);
    files.insert(files.begin(), fileIn(folder, name, ".txt"));
    std::vector<std::string> read;
    for (const std::string& file : files) {
        std::string text;
        ScoreTable named;
        const SaveRead result = readSaveFile(file, text);
        if (result == SaveRead::Missing) continue;
        if (result == SaveRead::Failed && keepUnread) {
            trace(shownPath(file) + " could not be read; it stays, with the round files it may name");
            continue;
        }
        named.parse(text);
        addNames(named, met);
        read.push_back(file);
    }
    std::sort(met.begin(), met.end());
    met.erase(std::unique(met.begin(), met.end()), met.end());
    for (const std::string& round : met)
        if (std::find(spared.begin(), spared.end(), round) == spared.end()) read.push_back(roundFileIn(folder, round));
    for (const std::string& file : read) {
        if (DeleteFileA(file.c_str())) continue;
        const DWORD error = GetLastError();
        if (isMissing(error)) continue;
        trace(withError(shownPath(file) + " could not be removed", error));
        return false;
    }
    return true;
}

// Adds the round files the table `name` and its pending files link.
void addLinks(const std::string& folder, const std::string& name, std::vector<std::string>& names)
{
    std::vector<std::string> files = pendingFiles(folder, name);
    files.push_back(fileIn(folder, name, ".txt"));
    for (const std::string& file : files) {
        std::string text;
        ScoreTable named;
        if (readSaveFile(file, text) == SaveRead::Read) named.parse(text);
        addNames(named, names);
    }
}

// Under the lock of a save of the day `today`'s table: the days more than
// DaysKept - 1 days before it go, their damaged files with them; a round
// file that a table staying (the main one, a day kept) links stays too.
void removeOldDays(const std::string& folder, uint32_t today)
{
    if (!isDate(today)) return;
    const int64_t oldest = dayNumber(today) - (BestScores::DaysKept - 1);
    std::set<uint32_t> old, kept;
    for (const FoundDayFile& file : dayFiles(folder)) (dayNumber(file.day) < oldest ? old : kept).insert(file.day);
    if (old.empty()) return;
    std::vector<std::string> spared;
    addLinks(folder, BestScores::FILE_NAME, spared);
    for (uint32_t day : kept) addLinks(folder, dayName(day), spared);
    for (uint32_t day : old) {
        const std::string name = dayName(day);
        if (!removeTable(folder, name, {}, spared, true)) continue;
        for (int number = 0; number < DAMAGED_KEPT; ++number) {
            const std::string path = fileIn(folder, name, damagedSuffix(number));
            if (DeleteFileA(path.c_str())) continue;
            const DWORD error = GetLastError();
            if (!isMissing(error)) trace(withError(shownPath(path) + " of an old day could not be removed", error));
        }
    }
}

// A reset's lock: true when it was refused (said on the debug trace); a
// lock not held for want of a folder is no table either.
bool resetRefused(const SaveLock& lock, const std::string& folder)
{
    if (lock.busy) {
        trace("the best scores in " + shownPath(folder) +
              " are in use by another copy of the game; they are left as they are");
        return true;
    }
    if (!lock.held && !isMissing(lock.error)) {
        trace(withError("the best scores in " + shownPath(folder) + " could not be locked", lock.error) +
              "; they are left as they are");
        return true;
    }
    return false;
}

}  // namespace

BestScores::BestScores() : BestScores(FILE_NAME, 0) {}

BestScores::BestScores(uint32_t day) : BestScores(dayName(day), day) {}

BestScores::BestScores(const std::string& name, uint32_t day)
    : lastPlace(0), fileName(name), tableDay(day), lastRound{}, waitingForLock(false), damageReported(false),
      failureReported(false), busyReported(false)
{
}

std::string BestScores::pathIn(const std::string& folder, const std::string& suffix) const
{
    return fileIn(folder, fileName, suffix);
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
    const std::string path = pathIn(folder, ".txt");
    const SaveRead read = readSaveFile(path, text);
    if (read == SaveRead::TooLarge) {
        damageReported = true;
        trace(shownPath(path) +
              " is too large to be a table of best scores (over 1 MiB); the best scores start "
              "empty, and the file is kept aside as " +
              shownPath(pathIn(folder, ".bad")) + " when the next round is saved");
        return;
    }
    if (read == SaveRead::Failed) {
        trace(shownPath(path) + " could not be read; the best scores start empty");
        return;
    }
    table.parse(text);
    reportDamage(table, path);
}

int BestScores::record(int32_t score, int32_t chain, const std::string& roundText)
{
    lastPlace = 0;
    if (score <= 0) return 0;
    ScoreEntry round{score, chain, "", "", ""};
    round.date = now(round.time);
    lastPlace = table.insert(round);
    if (lastPlace > 0 && !roundText.empty()) {
        round.round = keepRound(round, roundText);
        table.entries[lastPlace - 1].round = round.round;
    }
    if (saveFolders.where == SaveFolders::Where::Nowhere) {
        // Nothing is written: the texts go with their entries.
        runRounds.erase(std::remove_if(runRounds.begin(), runRounds.end(),
                                       [&](const RunRound& kept) { return !names(table, kept.name); }),
                        runRounds.end());
        return lastPlace;
    }
    lastRound = round;
    unsaved.insert(round);
    save();
    return lastPlace;
}

// The round's file name, made new in the folder so that it is this round's
// alone (its text is written by the save); empty when the round is not kept.
std::string BestScores::keepRound(const ScoreEntry& round, const std::string& text)
{
    const std::string base =
        "round-" + digitsOf(round.date) + "-" + digitsOf(round.time) + "-" + std::to_string(round.score);
    if (text.size() > MAX_ROUND_FILE_BYTES) {
        trace("the round " + base + " is too large to keep (" + std::to_string(text.size()) + " bytes, over " +
              std::to_string(MAX_ROUND_FILE_BYTES) + "); its entry is kept without it");
        return "";
    }
    const bool onDisk = saveFolders.where != SaveFolders::Where::Nowhere;
    const std::string folder = onDisk ? saveFolders.scores(true) : "";
    DWORD error = ERROR_SUCCESS;
    if (onDisk && (folder.empty() || !makeSaveFolder(folder, error))) return "";  // said by the save that follows
    for (int number = 1; number <= RoundNameTries; ++number) {
        const std::string name = base + (number == 1 ? "" : "-" + std::to_string(number)) + ".txt";
        const bool taken = names(table, name) || std::any_of(runRounds.begin(), runRounds.end(),
                                                             [&](const RunRound& kept) { return kept.name == name; });
        if (taken) continue;
        if (onDisk) {
            const std::string path = roundFileIn(folder, name);
            HANDLE file =
                CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE) {
                error = GetLastError();
                if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
                trace(withError("the round file " + shownPath(path) + " could not be made", error) +
                      "; its entry is kept without it");
                return "";
            }
            CloseHandle(file);
        }
        runRounds.push_back(RunRound{name, text, false});
        return name;
    }
    trace("no free name was left for the round file " + base + ".txt; its entry is kept without it");
    return "";
}

// The texts of this run's rounds not written yet; false (said once) when one
// could not be.
bool BestScores::writeRounds(const std::string& folder)
{
    bool all = true;
    for (RunRound& kept : runRounds) {
        if (kept.written) continue;
        const std::string path = roundFileIn(folder, kept.name);
        DWORD error = ERROR_SUCCESS;
        if (!replaceSaveFile(path, kept.text, error)) {
            reportOnce(withError("the round file " + shownPath(path) + " could not be written", error));
            all = false;
            continue;
        }
        kept.written = true;
        std::string().swap(kept.text);
    }
    return all;
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
        writeRounds(folder);  // their names are this run's own
        if (!busyReported)
            trace("the best scores in " + shownPath(folder) +
                  " are locked by another copy of the game; the round is saved once it lets go");
        busyReported = true;
        return;
    }
    if (!lock.held)
        return reportOnce(withError("the best scores in " + shownPath(folder) + " could not be locked", lock.error));
    if (!writeRounds(folder)) return;

    const std::string path = pathIn(folder, ".txt");
    const std::string badPath = pathIn(folder, ".bad");
    std::string text;
    const SaveRead read = readSaveFile(path, text);
    if (read == SaveRead::Failed) {
        error = GetLastError();
        return reportOnce(withError(shownPath(path) + " could not be read again", error));
    }
    ScoreTable onDisk;
    onDisk.parse(text);
    reportDamage(onDisk, path);
    // The round files of every entry met: those the table no longer names
    // go once it is written.
    std::vector<std::string> met;
    addNames(onDisk, met);
    addNames(unsaved, met);
    for (const RunRound& kept : runRounds) met.push_back(kept.name);
    std::vector<std::string> merged;
    bool changed = mergePendingFiles(folder, fileName, onDisk, merged, met) || read == SaveRead::TooLarge;
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
    removeDroppedRounds(folder, met, onDisk);
    if (tableDay != 0) removeOldDays(folder, tableDay);
    runRounds.clear();
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
    // A round whose text could not be written goes without its link.
    writeRounds(folder);
    for (const RunRound& kept : runRounds) {
        if (kept.written) continue;
        for (ScoreEntry& round : unsaved.entries)
            if (round.round == kept.name) round.round.clear();
    }
    const std::string path = pathIn(folder, PendingInfix + std::to_string(GetCurrentProcessId()));
    // A file of that name was left by an earlier process with the same id.
    ScoreTable pending;
    std::string text;
    if (readSaveFile(path, text) == SaveRead::Read) pending.parse(text);
    for (const ScoreEntry& round : unsaved.entries) addRound(pending, round);
    const bool kept = replaceSaveFile(path, pending.format(), error);
    // This run's round files that no line links: no table names them.
    for (const RunRound& own : runRounds)
        if (!kept || !names(pending, own.name)) DeleteFileA(roundFileIn(folder, own.name).c_str());
    runRounds.clear();
    if (!kept) {
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
        if (resetRefused(lock, folder)) return false;
        if (lock.held) {
            // The round files this run names go too.
            std::vector<std::string> met;
            addNames(table, met);
            addNames(unsaved, met);
            for (const RunRound& kept : runRounds) met.push_back(kept.name);
            if (!removeTable(folder, fileName, met, {}, false)) return false;
        }
    }
    table = ScoreTable();
    unsaved = ScoreTable();
    runRounds.clear();
    waitingForLock = false;
    lastPlace = 0;
    return true;
}

bool BestScores::resetAll()
{
    const std::string folder = saveFolders.scores(false);
    if (folder.empty()) return true;
    SaveLock lock(folder, FILE_NAME);
    if (resetRefused(lock, folder)) return false;
    if (!lock.held) return true;
    bool all = removeTable(folder, FILE_NAME, {}, {}, false);
    std::set<uint32_t> days;
    for (const FoundDayFile& file : dayFiles(folder))
        if (file.kind != DayFile::Damaged) days.insert(file.day);
    for (uint32_t day : days) all = removeTable(folder, dayName(day), {}, {}, false) && all;
    return all;
}

std::string BestScores::roundPath(size_t index) const
{
    if (index >= table.entries.size() || table.entries[index].round.empty()) return "";
    const std::string folder = saveFolders.scores(false);
    return folder.empty() ? "" : roundFileIn(folder, table.entries[index].round);
}

bool BestScores::readRound(size_t index, std::string& text) const
{
    text.clear();
    if (index >= table.entries.size() || table.entries[index].round.empty()) return false;
    for (const RunRound& kept : runRounds) {
        if (kept.name != table.entries[index].round || kept.written) continue;
        text = kept.text;
        return true;
    }
    const std::string path = roundPath(index);
    if (path.empty()) return false;
    const SaveRead read = readSaveFile(path, text);
    std::string wrong;
    if (read == SaveRead::Missing) wrong = " is missing";
    else if (read == SaveRead::Failed) wrong = " could not be read";
    else if (read == SaveRead::TooLarge || text.size() > MAX_ROUND_FILE_BYTES) wrong = " is too large for a round";
    else if (text.rfind(RoundHeader, 0) != 0) wrong = " is not a round file";
    if (wrong.empty()) return true;
    text.clear();
    trace("the round file " + shownPath(path) + wrong + "; its entry stays in the best scores without it");
    return false;
}
