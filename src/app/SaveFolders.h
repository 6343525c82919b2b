// SaveFolders.h — where the files kept between runs live: the user's
// folders (best scores with the data kept on this machine, settings with the
// settings that follow the user), one folder given on the command line for
// both, or nowhere (a replay that was not asked to keep a table).
// Depends on: SHGetFolderPathA.
#pragma once

#include <string>

struct SaveFolders {
    enum class Where { User, Given, Nowhere };
    Where where = Where::User;
    std::string given;

    // The folders, without a trailing separator; empty when there is none.
    // The user's folders are made when missing, their "vantorel" folder not.
    std::string scores() const;
    std::string settings() const;
};

extern SaveFolders saveFolders;
