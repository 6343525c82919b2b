// SaveFolders.h — where the files kept between runs live: the user's
// folders (on Windows both in the roaming application data; elsewhere the
// best scores in the user's data folder and the settings in the user's
// configuration folder), one folder given on the command line for both, or
// nowhere (a replay that was not asked to keep a table).
// Depends on: SHGetFolderPathA.
#pragma once

#include <string>

struct SaveFolders {
    enum class Where { User, Given, Nowhere };
    Where where = Where::User;
    std::string given;

    // The folders, without a trailing separator; empty when there is none.
    // With `forWriting` the user's folder that holds the game's own folder
    // is made when missing (the game's own folder is the caller's to make).
    std::string scores(bool forWriting) const;
    std::string settings(bool forWriting) const;
};

extern SaveFolders saveFolders;
