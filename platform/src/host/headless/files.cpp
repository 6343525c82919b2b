// files.cpp — the headless host's files, user's folders and date, and the
// test controls of platform/testing/files.h that set them: the machine's
// own operations (host/files.cpp) with the faults, folders and date a test
// asks for played over them. A control puts the headless host in charge
// when no host of the tests is yet (a test of kept files needs no window).
// Only tests and tools call these functions; they live in the headless host,
// so the shipped game never contains them.
#include "host/headless/headless.h"

#include "testing/files.h"

#include <shlobj.h>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>

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

// An unwritable folder refuses whatever would create or change a file.
int refusedWhenUnwritable()
{
    if (files().fault != testmode::FileFault::FolderUnwritable) return 0;
    errno = EACCES;
    return -1;
}

void takeCharge()
{
    layer::host::HeadlessHost& host = layer::host::headless();
    if (!layer::host::installed(host)) layer::host::install(&host);
}

}  // namespace

namespace layer::host {

int HeadlessHost::openFile(const std::string& path, int flags)
{
    const bool writing = (flags & O_ACCMODE) != O_RDONLY || (flags & O_CREAT);
    if (writing && refusedWhenUnwritable() != 0) return -1;
    return Host::openFile(path, flags);
}

// A full disk stores half of each write, then fails.
int HeadlessHost::writeFile(int fd, const char* bytes, size_t count, size_t& written)
{
    if (files().fault != testmode::FileFault::DiskFull) return Host::writeFile(fd, bytes, count, written);
    const int error = Host::writeFile(fd, bytes, count / 2, written);
    return error ? error : ENOSPC;
}

int HeadlessHost::renameFile(const std::string& from, const std::string& to)
{
    if (files().fault == testmode::FileFault::DieBeforeRename) std::raise(SIGKILL);
    if (files().fault == testmode::FileFault::RenameFails) {
        errno = EACCES;
        return -1;
    }
    return Host::renameFile(from, to);
}

int HeadlessHost::makeFolder(const std::string& path)
{
    return refusedWhenUnwritable() != 0 ? -1 : Host::makeFolder(path);
}

int HeadlessHost::removeFile(const std::string& path)
{
    return refusedWhenUnwritable() != 0 ? -1 : Host::removeFile(path);
}

std::string HeadlessHost::userFolder(int csidl)
{
    if (!files().foldersSet) return Host::userFolder(csidl);
    return csidl == CSIDL_APPDATA ? files().config : csidl == CSIDL_LOCAL_APPDATA ? files().data : "";
}

// The virtual date counts the virtual clock from 2026-01-01 00:00:00; it has
// no time zone, so it answers for local time and UTC alike.
void HeadlessHost::dateAndTime(SYSTEMTIME& time, bool utc)
{
    if (!files().virtualDate) return Host::dateAndTime(time, utc);
    const uint32_t ms = clock;
    tm date{};
    date.tm_year = 2026 - 1900;
    date.tm_mday = 1;
    date.tm_sec = static_cast<int>(ms / 1000);
    timegm(&date);  // normalises the seconds into minutes, hours and days
    time = systemTimeOf(date, static_cast<WORD>(ms % 1000));
}

}  // namespace layer::host

namespace testmode {

void setUserFolders(const std::string& config, const std::string& data)
{
    files().foldersSet = true;
    files().config = config;
    files().data = data;
    takeCharge();
}

void useVirtualDate()
{
    files().virtualDate = true;
    takeCharge();
}

void setFileFault(FileFault fault)
{
    files().fault = fault;
    takeCharge();
}

void restoreFiles() { files() = FileTestState{}; }

}  // namespace testmode
