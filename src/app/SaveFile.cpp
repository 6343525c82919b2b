// SaveFile.cpp — reading, atomic replacing and the folder lock. On Windows
// a freshly written file can be held open for a moment by a virus scanner or
// an indexer, which makes the rename fail with a sharing violation: the
// replace then tries again a few times before it gives up.
#include "app/SaveFile.h"

namespace {

constexpr int ReplaceAttempts = 10;
constexpr DWORD ReplacePauseMs = 20;

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

}  // namespace

SaveRead readSaveFile(const std::string& path, std::string& text)
{
    text.clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? SaveRead::Missing : SaveRead::Failed;
    }
    char buffer[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE) && got > 0) {
        text.append(buffer, got);
        if (text.size() > MAX_SAVE_BYTES) {
            ok = false;
            break;
        }
    }
    CloseHandle(file);
    return ok ? SaveRead::Read : SaveRead::Failed;
}

bool replaceSaveFile(const std::string& path, const std::string& text, DWORD& error)
{
    const std::string temporary = path + ".tmp";
    HANDLE file =
        CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return false;
    }
    bool ok = writeAll(file, text) && FlushFileBuffers(file);
    error = ok ? ERROR_SUCCESS : GetLastError();
    CloseHandle(file);
    if (ok && !moveIntoPlace(temporary, path)) {
        ok = false;
        error = GetLastError();
    }
    if (!ok) DeleteFileA(temporary.c_str());
    return ok;
}

bool makeSaveFolder(const std::string& folder, DWORD& error)
{
    if (CreateDirectoryA(folder.c_str(), nullptr)) return true;
    error = GetLastError();
    return error == ERROR_ALREADY_EXISTS;
}

SaveLock::SaveLock(const std::string& folder, const char* name) : held(false), error(ERROR_SUCCESS), range{}
{
    const std::string path = folder + "\\" + name + ".lock";
    file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return;
    }
    held = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &range) != FALSE;
    if (!held) error = GetLastError();
}

SaveLock::~SaveLock()
{
    if (file == INVALID_HANDLE_VALUE) return;
    if (held) UnlockFileEx(file, 0, 1, 0, &range);
    CloseHandle(file);
}
