// shlobj.h — the shell's known folders, as far as the game uses them.
// On POSIX hosts the user's folders are the XDG base directories:
//   CSIDL_APPDATA        $XDG_CONFIG_HOME (default ~/.config)       settings
//   CSIDL_LOCAL_APPDATA  $XDG_DATA_HOME   (default ~/.local/share)  data kept on this machine
// Implemented in platform/src/kernel32/user_folders.cpp.
#pragma once

#include <windows.h>

#define CSIDL_APPDATA 0x001a
#define CSIDL_LOCAL_APPDATA 0x001c
#define CSIDL_FLAG_CREATE 0x8000
#define SHGFP_TYPE_CURRENT 0

// Writes the folder (at most MAX_PATH bytes with the terminating zero) into
// path. With CSIDL_FLAG_CREATE in csidl the folder is created when missing.
HRESULT SHGetFolderPathA(HWND owner, int csidl, HANDLE token, DWORD flags, LPSTR path);
