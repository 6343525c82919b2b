// SaveFile.cpp — reading, atomic replacing, the damaged files kept aside and
// the folder lock. On Windows a freshly written file can be held open for a
// moment by a virus scanner or an indexer, which makes the rename fail with
// a sharing violation: the replace then tries again a few times before it
// gives up.
#include "app/SaveFile.h"

namespace {

constexpr int ReplaceAttempts = 10;
constexpr DWORD ReplacePauseMs = 20;
constexpr DWORD FinalPathForm = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;

bool writeAll(HANDLE file, const std::string& text)
{
    DWORD written = 0;
    const auto size = static_cast<DWORD>(text.size());
    return WriteFile(file, text.data(), size, &written, nullptr) && written == size;
}

bool moveIntoPlace(const std::string& from, const std::string& to)
{
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        if (GetLastError() != ERROR_SHARING_VIOLATION || attempt == ReplaceAttempts) return false;
        Sleep(ReplacePauseMs);
    }
}

bool isMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// True when the file is gone (or never was).
bool removeFile(const std::string& path, DWORD& error)
{
    if (DeleteFileA(path.c_str())) return true;
    error = GetLastError();
    return isMissing(error);
}

// A path a Windows call writes into a buffer (its length, or the size it
// needs when the buffer is too small, 0 on failure); `fallback` when none.
template <typename Call> std::string pathFrom(Call call, const std::string& fallback)
{
    std::string path(MAX_PATH, '\0');
    DWORD length = call(path.data(), static_cast<DWORD>(path.size()));
    if (length >= path.size()) {
        path.resize(length);
        length = call(path.data(), static_cast<DWORD>(path.size()));
    }
    if (length == 0 || length >= path.size()) return fallback;
    path.resize(length);
    return path;
}

// The file a link at `path` points to, or `path` itself (also when there is
// no file yet). Windows gives a final path in its long form ("\\?\C:\...",
// "\\?\UNC\server\..."), which the ordinary spelling replaces.
std::string finalPathOf(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return path;
    const std::string final = pathFrom(
        [file](LPSTR buffer, DWORD size) { return GetFinalPathNameByHandleA(file, buffer, size, FinalPathForm); },
        path);
    CloseHandle(file);
    const std::string longUnc = "\\\\?\\UNC\\";
    const std::string longLocal = "\\\\?\\";
    if (final.rfind(longUnc, 0) == 0) return "\\\\" + final.substr(longUnc.size());
    if (final.rfind(longLocal, 0) == 0) return final.substr(longLocal.size());
    return final;
}

std::string generation(const std::string& badPath, int number)
{
    return number == 0 ? badPath : badPath + "." + std::to_string(number);
}

// Moves each kept damaged file one generation down; the oldest goes.
bool makeRoomForDamaged(const std::string& badPath, DWORD& error)
{
    for (int number = DAMAGED_KEPT - 1; number > 0; --number) {
        const std::string older = generation(badPath, number);
        if (MoveFileExA(generation(badPath, number - 1).c_str(), older.c_str(), MOVEFILE_REPLACE_EXISTING)) continue;
        error = GetLastError();
        if (!isMissing(error)) return false;
    }
    return true;
}

}  // namespace

SaveRead readSaveFile(const std::string& path, std::string& text)
{
    text.clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return isMissing(GetLastError()) ? SaveRead::Missing : SaveRead::Failed;
    char buffer[4096];
    DWORD got = 0;
    SaveRead result = SaveRead::Read;
    while (result == SaveRead::Read) {
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) result = SaveRead::Failed;
        else if (got == 0) break;
        else if (text.append(buffer, got).size() > MAX_SAVE_BYTES) result = SaveRead::TooLarge;
    }
    CloseHandle(file);
    if (result != SaveRead::Read) text.clear();
    return result;
}

bool replaceSaveFile(const std::string& path, const std::string& text, DWORD& error)
{
    const std::string target = finalPathOf(path);
    const std::string temporary = target + ".tmp";
    if (!removeFile(temporary, error)) return false;
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return false;
    }
    bool ok = writeAll(file, text) && FlushFileBuffers(file);
    error = ok ? ERROR_SUCCESS : GetLastError();
    CloseHandle(file);
    if (ok && !moveIntoPlace(temporary, target)) {
        ok = false;
        error = GetLastError();
    }
    if (!ok) DeleteFileA(temporary.c_str());
    return ok;
}

bool keepDamagedCopy(const std::string& badPath, const std::string& text, DWORD& error)
{
    return makeRoomForDamaged(badPath, error) && replaceSaveFile(badPath, text, error);
}

bool keepDamagedFile(const std::string& path, const std::string& badPath, DWORD& error)
{
    if (!makeRoomForDamaged(badPath, error)) return false;
    if (moveIntoPlace(path, badPath)) return true;
    error = GetLastError();
    return false;
}

bool makeSaveFolder(const std::string& folder, DWORD& error)
{
    if (CreateDirectoryA(folder.c_str(), nullptr)) return true;
    error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS) return false;
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) error = GetLastError();
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string shownPath(const std::string& path)
{
    return pathFrom([&path](LPSTR buffer, DWORD size) { return GetFullPathNameA(path.c_str(), size, buffer, nullptr); },
                    path);
}

SaveLock::SaveLock(const std::string& folder, const char* name)
    : held(false), busy(false), error(ERROR_SUCCESS), range{}
{
    const std::string path = folder + "\\" + name + ".lock";
    file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return;
    }
    held = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &range) != FALSE;
    if (held) return;
    error = GetLastError();
    busy = error == ERROR_LOCK_VIOLATION;
}

SaveLock::~SaveLock()
{
    if (file == INVALID_HANDLE_VALUE) return;
    if (held) UnlockFileEx(file, 0, 1, 0, &range);
    CloseHandle(file);
}
