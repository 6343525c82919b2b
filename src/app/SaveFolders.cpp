// SaveFolders.cpp — the user's folders through the shell's known folders,
// with the game's own folder inside ("Vantorel" on Windows, "vantorel"
// where folder names follow the XDG custom). The scores' known folder is
// chosen with the build, in src/CMakeLists.txt: the roaming one beside the
// settings on Windows, the data folder ($XDG_DATA_HOME) elsewhere.
#include "app/SaveFolders.h"

#include <shlobj.h>

SaveFolders saveFolders;

namespace {

std::string userFolder(int csidl)
{
    char path[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return "";
    return std::string(path) + "\\" + VANTOREL_FOLDER_NAME;
}

std::string folderFor(const SaveFolders& folders, int csidl, bool forWriting)
{
    switch (folders.where) {
    case SaveFolders::Where::User: return userFolder(forWriting ? csidl | CSIDL_FLAG_CREATE : csidl);
    case SaveFolders::Where::Given: return folders.given;
    case SaveFolders::Where::Nowhere: break;
    }
    return "";
}

}  // namespace

std::string SaveFolders::scores(bool forWriting) const { return folderFor(*this, VANTOREL_SCORES_CSIDL, forWriting); }

std::string SaveFolders::settings(bool forWriting) const { return folderFor(*this, CSIDL_APPDATA, forWriting); }
