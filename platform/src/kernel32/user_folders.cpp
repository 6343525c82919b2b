// user_folders.cpp — SHGetFolderPathA, GetLocalTime and GetSystemTime. The user's folders
// are the XDG base directories: CSIDL_APPDATA (what roams with the user on
// Windows: settings) is $XDG_CONFIG_HOME, by default ~/.config, and
// CSIDL_LOCAL_APPDATA (data kept on this machine) is $XDG_DATA_HOME, by
// default ~/.local/share. A relative XDG value is ignored, as the XDG rules
// say; without $HOME the password database names the home folder.
// Depends on: the test hooks (file_hooks.h).
#include <shlobj.h>

#include "kernel32/file_hooks.h"

#include <cerrno>
#include <ctime>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

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

// mkdir -p: true when the folder exists at the end.
bool makeFolders(const std::string& path)
{
    for (size_t at = path.find('/', 1);; at = path.find('/', at + 1)) {
        const std::string part = path.substr(0, at);
        if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
        if (at == std::string::npos) break;
    }
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

HRESULT SHGetFolderPathA(HWND /*owner*/, int csidl, HANDLE /*token*/, DWORD /*flags*/, LPSTR path)
{
    if (!path) return E_INVALIDARG;
    path[0] = '\0';
    std::string folder;
    const layer::FileHooks* hooks = layer::fileHooks();
    const bool answered = hooks && hooks->userFolder && hooks->userFolder(csidl & ~CSIDL_FLAG_CREATE, folder);
    if (!answered) {
        switch (csidl & ~CSIDL_FLAG_CREATE) {
        case CSIDL_APPDATA: folder = xdgFolder("XDG_CONFIG_HOME", "/.config"); break;
        case CSIDL_LOCAL_APPDATA: folder = xdgFolder("XDG_DATA_HOME", "/.local/share"); break;
        default: return E_INVALIDARG;
        }
    }
    if (folder.empty() || folder.size() >= MAX_PATH) return E_FAIL;
    if ((csidl & CSIDL_FLAG_CREATE) && !makeFolders(folder)) return E_FAIL;
    folder.copy(path, folder.size());
    path[folder.size()] = '\0';
    return S_OK;
}

namespace {

// The date and time of the machine's clock, in its time zone or in UTC; the
// test mode's date, which has no time zone, answers for both.
void dateAndTime(LPSYSTEMTIME time, bool utc)
{
    if (!time) return;
    const layer::FileHooks* hooks = layer::fileHooks();
    if (hooks && hooks->localTime && hooks->localTime(*time)) return;
    timeval now{};
    gettimeofday(&now, nullptr);
    tm date{};
    if (utc) gmtime_r(&now.tv_sec, &date);
    else localtime_r(&now.tv_sec, &date);
    time->wYear = static_cast<WORD>(date.tm_year + 1900);
    time->wMonth = static_cast<WORD>(date.tm_mon + 1);
    time->wDayOfWeek = static_cast<WORD>(date.tm_wday);
    time->wDay = static_cast<WORD>(date.tm_mday);
    time->wHour = static_cast<WORD>(date.tm_hour);
    time->wMinute = static_cast<WORD>(date.tm_min);
    time->wSecond = static_cast<WORD>(date.tm_sec);
    time->wMilliseconds = static_cast<WORD>(now.tv_usec / 1000);
}

}  // namespace

void GetLocalTime(LPSYSTEMTIME time) { dateAndTime(time, false); }

void GetSystemTime(LPSYSTEMTIME time) { dateAndTime(time, true); }
