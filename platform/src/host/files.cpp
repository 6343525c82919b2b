// files.cpp — the machine's own file operations, user's folders and date,
// as every host has them unless it plays others (host.h). The user's folders
// are the XDG base directories: CSIDL_APPDATA (what roams with the user on
// Windows: settings) is $XDG_CONFIG_HOME, by default ~/.config, and
// CSIDL_LOCAL_APPDATA (data kept on this machine) is $XDG_DATA_HOME, by
// default ~/.local/share. A relative XDG value is ignored, as the XDG rules
// say; without $HOME the password database names the home folder.
#include "host/host.h"

#include <shlobj.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace layer::host {

namespace {

std::string homeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return home;
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "";
}

std::string xdgFolder(const char* variable, const char* underHome)
{
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') return value;
    const std::string home = homeFolder();
    return home.empty() ? "" : home + underHome;
}

}  // namespace

int Host::openFile(const std::string& path, int flags)
{
    int fd;
    do fd = open(path.c_str(), flags, 0666);
    while (fd < 0 && errno == EINTR);
    return fd;
}

int Host::writeFile(int fd, const char* bytes, size_t count, size_t& written)
{
    written = 0;
    while (written < count) {
        const ssize_t n = write(fd, bytes + written, count - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return ENOSPC;
        written += static_cast<size_t>(n);
    }
    return 0;
}

int Host::renameFile(const std::string& from, const std::string& to) { return rename(from.c_str(), to.c_str()); }

int Host::makeFolder(const std::string& path) { return mkdir(path.c_str(), 0777); }

int Host::removeFile(const std::string& path) { return unlink(path.c_str()); }

std::string Host::userFolder(int csidl)
{
    if (csidl == CSIDL_APPDATA) return xdgFolder("XDG_CONFIG_HOME", "/.config");
    if (csidl == CSIDL_LOCAL_APPDATA) return xdgFolder("XDG_DATA_HOME", "/.local/share");
    return {};
}

void Host::dateAndTime(SYSTEMTIME& time, bool utc)
{
    timeval now{};
    gettimeofday(&now, nullptr);
    tm date{};
    if (utc) gmtime_r(&now.tv_sec, &date);
    else localtime_r(&now.tv_sec, &date);
    time = systemTimeOf(date, static_cast<WORD>(now.tv_usec / 1000));
}

SYSTEMTIME systemTimeOf(const tm& date, WORD milliseconds)
{
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(date.tm_year + 1900);
    time.wMonth = static_cast<WORD>(date.tm_mon + 1);
    time.wDayOfWeek = static_cast<WORD>(date.tm_wday);
    time.wDay = static_cast<WORD>(date.tm_mday);
    time.wHour = static_cast<WORD>(date.tm_hour);
    time.wMinute = static_cast<WORD>(date.tm_min);
    time.wSecond = static_cast<WORD>(date.tm_sec);
    time.wMilliseconds = milliseconds;
    return time;
}

}  // namespace layer::host
