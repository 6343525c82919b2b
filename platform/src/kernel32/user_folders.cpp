// user_folders.cpp — SHGetFolderPathA, GetLocalTime and GetSystemTime: the
// user's folders and the date as the host gives them (the machine's: the XDG
// base directories and its clock).
// Depends on: the host.
#include <shlobj.h>

#include "host/host.h"

#include <cerrno>
#include <string>
#include <sys/stat.h>

namespace {

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
    const int which = csidl & ~CSIDL_FLAG_CREATE;
    if (which != CSIDL_APPDATA && which != CSIDL_LOCAL_APPDATA) return E_INVALIDARG;
    const std::string folder = layer::host::current().userFolder(which);
    if (folder.empty() || folder.size() >= MAX_PATH) return E_FAIL;
    if ((csidl & CSIDL_FLAG_CREATE) && !makeFolders(folder)) return E_FAIL;
    folder.copy(path, folder.size());
    path[folder.size()] = '\0';
    return S_OK;
}

void GetLocalTime(LPSYSTEMTIME time)
{
    if (time) layer::host::current().dateAndTime(*time, false);
}

void GetSystemTime(LPSYSTEMTIME time)
{
    if (time) layer::host::current().dateAndTime(*time, true);
}
