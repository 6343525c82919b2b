// SaveFile.h — the files the game keeps between runs (best scores,
// settings), read and written so that nothing is ever lost: a write goes to
// a temporary file in the same folder, is flushed to the disk and replaces
// the old file in one rename, so a crash or a full disk at any moment leaves
// the old file or the new one, never a mix. A lock file in the folder lets
// two copies of the game take turns at reading, merging and replacing.
// Limits: files up to MAX_SAVE_BYTES; main thread. Depends on: the Windows
// file operations (CreateFileA, WriteFile, FlushFileBuffers, MoveFileExA,
// LockFileEx).
#pragma once

#include <windows.h>

#include <string>

constexpr DWORD MAX_SAVE_BYTES = 1 << 20;

enum class SaveRead { Read, Missing, Failed };

// Reads the whole file into `text`; the file stays free to be replaced or
// deleted by another copy meanwhile.
SaveRead readSaveFile(const std::string& path, std::string& text);

// Replaces the file with `text` through "<path>.tmp" and one rename. False
// (with GetLastError's code in `error`) when the old file was left as it was.
bool replaceSaveFile(const std::string& path, const std::string& text, DWORD& error);

// Makes the folder when it is missing; false when it is neither there nor
// made.
bool makeSaveFolder(const std::string& folder, DWORD& error);

// An exclusive lock on "<folder>\<name>.lock" for as long as the object
// lives; `held` tells whether it was taken.
class SaveLock {
public:
    SaveLock(const std::string& folder, const char* name);
    ~SaveLock();
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    bool held;
    DWORD error;

private:
    HANDLE file;
    OVERLAPPED range;
};
