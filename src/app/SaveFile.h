// SaveFile.h — the files the game keeps between runs (best scores,
// settings), read and written so that nothing is ever lost: a write goes to
// a temporary file in the same folder, is flushed to the disk and replaces
// the old file in one rename, so a crash or a full disk at any moment leaves
// the old file or the new one, never a mix. A file that is a link (a player
// who keeps it in a synced folder) stays one: the file it points to is
// replaced, in its own folder. A lock file in the folder lets two copies of
// the game take turns at reading, merging and replacing; it is only ever
// tried, never waited for, so a stopped copy cannot freeze another.
// Limits: files up to MAX_SAVE_BYTES; main thread. Depends on: the Windows
// file operations (CreateFileA, WriteFile, FlushFileBuffers, MoveFileExA,
// LockFileEx, GetFinalPathNameByHandleA, GetFileAttributesA,
// GetFullPathNameA).
#pragma once

#include <windows.h>

#include <string>

// The largest kept file read at all: a score table, a settings file or a
// round file is a few kilobytes, so a file past 1 MiB is not one the game
// wrote and is refused (TooLarge) before it fills memory. The rule is the
// platform layer's for the files it reads whole (an image, an effect): read
// to the end in chunks, refused as soon as it grows past its limit.
constexpr DWORD MAX_SAVE_BYTES = 1 << 20;
// A damaged file is kept as "<name>.bad", the one before as "<name>.bad.1",
// and so on: this many in all.
constexpr int DAMAGED_KEPT = 3;

enum class SaveRead { Read, Missing, TooLarge, Failed };

// Reads the whole file into `text`; the file stays free to be replaced or
// deleted by another copy meanwhile. A file over MAX_SAVE_BYTES is TooLarge
// (and `text` empty).
SaveRead readSaveFile(const std::string& path, std::string& text);

// Replaces the file with `text` through "<path>.tmp" and one rename; a link
// at `path` is followed and the file it points to replaced. The temporary
// file is made new (a stale one is removed first, and a link put in its
// place is never followed), so call this under the folder's lock, or for a
// name no other copy writes. False (with GetLastError's code in `error`)
// when the old file was left as it was.
bool replaceSaveFile(const std::string& path, const std::string& text, DWORD& error);

// Keeps a damaged file's `text` as `badPath` (a copy), or moves the file at
// `path` itself there, after moving the earlier damaged files one
// generation down (the oldest of DAMAGED_KEPT goes). False (with the error)
// when it was not kept.
bool keepDamagedCopy(const std::string& badPath, const std::string& text, DWORD& error);
bool keepDamagedFile(const std::string& path, const std::string& badPath, DWORD& error);

// Makes the folder when it is missing; false when it is neither there nor
// made, with ERROR_ALREADY_EXISTS in `error` when a file has its name.
bool makeSaveFolder(const std::string& folder, DWORD& error);

// The path as the system writes it, for messages: whole, with the system's
// own separators.
std::string shownPath(const std::string& path);

// An exclusive lock on "<folder>\<name>.lock" for as long as the object
// lives, tried once without waiting: `held` tells whether it was taken; it
// is false, with `busy` true, while another copy of the game holds it (try
// again later), and false with `error` set when the lock file could not be
// opened or locked at all.
class SaveLock {
public:
    SaveLock(const std::string& folder, const char* name);
    ~SaveLock();
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    bool held;
    bool busy;
    DWORD error;

private:
    HANDLE file;
    OVERLAPPED range;
};
