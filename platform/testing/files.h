// files.h — test mode of the layer's file operations: where the user's
// folders are, the date GetLocalTime gives, and faults played by the next
// writes, so that tests never touch the home folder and can break a write at
// each of its steps (the tests run as root, where permissions prove nothing).
// The headless host plays them; each control below but restoreFiles puts it
// in charge when it is not yet (testmode::enable does too).
#pragma once

#include <string>

namespace testmode {

// SHGetFolderPathA answers CSIDL_APPDATA with `config` and
// CSIDL_LOCAL_APPDATA with `data`; an empty string makes it fail. Until this
// is called (or after restoreFiles) the XDG folders of the environment serve.
void setUserFolders(const std::string& config, const std::string& data);

// GetLocalTime counts the virtual clock from 2026-01-01 00:00:00.
void useVirtualDate();

enum class FileFault {
    None,
    DiskFull,          // every WriteFile stores half its bytes, then fails with ERROR_DISK_FULL
    RenameFails,       // every MoveFileExA fails with ERROR_ACCESS_DENIED
    FolderUnwritable,  // every file or folder opened for writing is refused with ERROR_ACCESS_DENIED
    DieBeforeRename,   // the process is killed (SIGKILL) at its next MoveFileExA
};
void setFileFault(FileFault fault);

// The file operations as the shipped game has them: no folders, date or fault.
void restoreFiles();

}  // namespace testmode
