// files.cpp — the test controls of platform/testing/files.h: one hook
// table (file_hooks.h) whose answers come from the state set here. Only
// tests and tools call these functions; they live in the headless host, so
// the shipped game never contains them.
#include "kernel32/file_hooks.h"

#include "testing/core.h"
#include "testing/files.h"

#include <shlobj.h>

#include <csignal>
#include <ctime>

namespace {

struct FileTestState {
    bool foldersSet = false;
    std::string config;
    std::string data;
    bool virtualDate = false;
    testmode::FileFault fault = testmode::FileFault::None;
};

FileTestState& files()
{
    static FileTestState state;
    return state;
}

DWORD create(const std::string& /*path*/, bool writing)
{
    return writing && files().fault == testmode::FileFault::FolderUnwritable ? ERROR_ACCESS_DENIED : 0;
}

DWORD write(DWORD& bytes)
{
    if (files().fault != testmode::FileFault::DiskFull) return 0;
    bytes /= 2;
    return ERROR_DISK_FULL;
}

DWORD move(const std::string& /*from*/, const std::string& /*to*/)
{
    if (files().fault == testmode::FileFault::DieBeforeRename) std::raise(SIGKILL);
    return files().fault == testmode::FileFault::RenameFails ? ERROR_ACCESS_DENIED : 0;
}

bool userFolder(int csidl, std::string& folder)
{
    if (!files().foldersSet) return false;
    folder = csidl == CSIDL_APPDATA ? files().config : csidl == CSIDL_LOCAL_APPDATA ? files().data : "";
    return true;
}

bool localTime(SYSTEMTIME& time)
{
    if (!files().virtualDate) return false;
    const uint32_t ms = testmode::clockMs();
    tm date{};
    date.tm_year = 2026 - 1900;
    date.tm_mday = 1;
    date.tm_sec = static_cast<int>(ms / 1000);
    timegm(&date);  // normalises the seconds into minutes, hours and days
    time.wYear = static_cast<WORD>(date.tm_year + 1900);
    time.wMonth = static_cast<WORD>(date.tm_mon + 1);
    time.wDayOfWeek = static_cast<WORD>(date.tm_wday);
    time.wDay = static_cast<WORD>(date.tm_mday);
    time.wHour = static_cast<WORD>(date.tm_hour);
    time.wMinute = static_cast<WORD>(date.tm_min);
    time.wSecond = static_cast<WORD>(date.tm_sec);
    time.wMilliseconds = static_cast<WORD>(ms % 1000);
    return true;
}

const layer::FileHooks testHooks = {create, write, move, userFolder, localTime};

}  // namespace

namespace testmode {

void setUserFolders(const std::string& config, const std::string& data)
{
    files().foldersSet = true;
    files().config = config;
    files().data = data;
    layer::setFileHooks(&testHooks);
}

void useVirtualDate()
{
    files().virtualDate = true;
    layer::setFileHooks(&testHooks);
}

void setFileFault(FileFault fault)
{
    files().fault = fault;
    layer::setFileHooks(&testHooks);
}

void restoreFiles()
{
    files() = FileTestState{};
    layer::setFileHooks(nullptr);
}

}  // namespace testmode
