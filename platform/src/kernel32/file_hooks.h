// file_hooks.h — the one seam in the layer's file operations: a table of
// hooks that CreateFileA, WriteFile, MoveFileExA, CreateDirectoryA,
// SHGetFolderPathA, GetLocalTime and GetSystemTime consult before they reach
// the machine.
// No table is installed in the shipped game; tests install one through
// platform/testing/files.h to give the user's folders and the date, or to
// play a fault (a full disk, a rename that fails, an unwritable folder, a
// process that dies before its rename). Internal to platform/src/kernel32.
#pragma once

#include <windows.h>

#include <string>

namespace layer {

struct FileHooks {
    // Before a file is opened or a folder made; `writing` when the call would
    // create or change anything. 0 lets the call go on; otherwise it fails
    // with this Win32 error.
    DWORD (*create)(const std::string& hostPath, bool writing);
    // Before a write of `bytes`: may lower `bytes`, and then the write stores
    // that many and fails with the error returned (0: the write goes on whole).
    DWORD (*write)(DWORD& bytes);
    // Before a rename; as `create`.
    DWORD (*move)(const std::string& from, const std::string& to);
    // The user's folder for a CSIDL; true when the hook answered (an empty
    // folder then means there is none).
    bool (*userFolder)(int csidl, std::string& folder);
    // The date and time, local and UTC alike; true when the hook answered.
    bool (*localTime)(SYSTEMTIME& time);
};

// Null (the default) lets every operation go straight to the machine.
void setFileHooks(const FileHooks* hooks);
const FileHooks* fileHooks();

}  // namespace layer
