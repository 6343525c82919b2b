// BestScores.cpp — reading, recording and resetting the table on disk.
#include "app/BestScores.h"

#include "app/SaveFile.h"
#include "app/SaveFolders.h"

#include <windows.h>

#include <cstdio>

namespace {

std::string fileIn(const std::string& folder, const char* suffix)
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

}  // namespace

BestScores::BestScores() : lastPlace(0), damageReported(false), failureReported(false) {}

void BestScores::reportOnce(const std::string& message)
{
    if (failureReported) return;
    failureReported = true;
    OutputDebugStringA(("Vantorel: " + message + "; the game goes on without keeping it\n").c_str());
}

void BestScores::reportDamage(const ScoreTable& read, const std::string& path)
{
    if (read.badLines.empty() || damageReported) return;
    damageReported = true;
    std::string message = "Vantorel: " + path + ": " + std::to_string(read.badLines.size()) +
                          " damaged line(s) left out of the best scores, the first: \"" +
                          read.badLines.front().substr(0, 80) + "\"\n";
    OutputDebugStringA(message.c_str());
}

void BestScores::load()
{
    const std::string folder = saveFolders.scores(false);
    if (folder.empty()) return;
    std::string text;
    const std::string path = fileIn(folder, ".txt");
    const SaveRead read = readSaveFile(path, text);
    if (read == SaveRead::Failed) {
        OutputDebugStringA(("Vantorel: " + path + " could not be read; the best scores start empty\n").c_str());
        return;
    }
    table.parse(text);
    reportDamage(table, path);
}

int BestScores::record(int32_t score, int32_t chain)
{
    lastPlace = 0;
    if (score <= 0) return 0;
    ScoreEntry entry{score, chain, "", "", ""};
    entry.date = now(entry.time);
    if (saveFolders.where == SaveFolders::Where::Nowhere) return lastPlace = table.insert(entry);

    const std::string folder = saveFolders.scores(true);
    DWORD error = ERROR_SUCCESS;
    if (folder.empty()) {
        reportOnce("no folder was found for the best scores");
        return lastPlace = table.insert(entry);
    }
    if (!makeSaveFolder(folder, error)) {
        reportOnce(withError("the folder " + folder + " could not be made", error));
        return lastPlace = table.insert(entry);
    }
    SaveLock lock(folder, FILE_NAME);
    if (!lock.held) {
        reportOnce(withError("the best scores in " + folder + " could not be locked", lock.error));
        return lastPlace = table.insert(entry);
    }
    // Another copy of the game may have added rounds since this one read.
    const std::string path = fileIn(folder, ".txt");
    std::string text;
    const SaveRead read = readSaveFile(path, text);
    if (read == SaveRead::Failed) {
        reportOnce(withError(path + " could not be read again", GetLastError()));
        return lastPlace = table.insert(entry);
    }
    ScoreTable onDisk;
    onDisk.parse(read == SaveRead::Read ? text : "");
    reportDamage(onDisk, path);
    const int place = onDisk.insert(entry);
    if (place == 0) {
        table = onDisk;
        return 0;
    }
    if (!onDisk.badLines.empty() && !replaceSaveFile(fileIn(folder, ".bad"), text, error)) {
        reportOnce(withError("the damaged " + path + " could not be kept aside", error));
        return lastPlace = table.insert(entry);
    }
    if (!replaceSaveFile(path, onDisk.format(), error)) {
        reportOnce(withError(path + " could not be written", error));
        return lastPlace = table.insert(entry);
    }
    table = onDisk;
    table.badLines.clear();
    return lastPlace = place;
}

bool BestScores::reset()
{
    table = ScoreTable();
    lastPlace = 0;
    const std::string folder = saveFolders.scores(false);
    if (folder.empty()) return true;
    const std::string path = fileIn(folder, ".txt");
    SaveLock lock(folder, FILE_NAME);
    if (!DeleteFileA(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND &&
        GetLastError() != ERROR_PATH_NOT_FOUND) {
        OutputDebugStringA(
            withError("Vantorel: " + path + " could not be removed", GetLastError()).append("\n").c_str());
        return false;
    }
    return true;
}
