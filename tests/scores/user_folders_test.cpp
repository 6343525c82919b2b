// The layer's user folders and the file operations' Windows behaviour that
// the kept files rely on.
#include <shlobj.h>
#include <windows.h>

#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(UserFolders, XdgFoldersWithTheirDefaultsAndCreation)
{
    const ScratchFolder scratch("folders");
    const fs::path& root = scratch.path();
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    char path[MAX_PATH];
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
    setenv("HOME", (root / "home").c_str(), 1);
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    EXPECT_EQ(fs::path(path), root / "config");
    EXPECT_FALSE(fs::exists(root / "config"));
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path), S_OK);
    EXPECT_EQ(fs::path(path), root / "home/.local/share");
    EXPECT_TRUE(fs::is_directory(root / "home/.local/share"));
    unsetenv("XDG_CONFIG_HOME");
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, path), S_OK);
    EXPECT_EQ(fs::path(path), root / "home/.config");
    EXPECT_EQ(SHGetFolderPathA(nullptr, 0x0005, nullptr, 0, path), E_INVALIDARG);

    // Backslashed names reach the same files; errors read as on Windows.
    const std::string data = (root / "home/.local/share").string();
    EXPECT_FALSE(CreateDirectoryA((data + "\\a\\b").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_TRUE(CreateDirectoryA((data + "\\a").c_str(), nullptr));
    EXPECT_FALSE(CreateDirectoryA((data + "\\a").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(CreateFileA((data + "\\none").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    for (const char* name : {"\\x", "\\y"}) {
        HANDLE file = CreateFileA((data + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(file, name, 2, &written, nullptr));
        EXPECT_EQ(written, 2u);
        EXPECT_TRUE(FlushFileBuffers(file));
        EXPECT_TRUE(CloseHandle(file));
    }
    EXPECT_FALSE(MoveFileExA((data + "\\x").c_str(), (data + "\\y").c_str(), 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(MoveFileExA((data + "\\x").c_str(), (data + "\\y").c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    HANDLE file =
        CreateFileA((data + "/y").c_str(), GENERIC_READ, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    char text[4] = {};
    DWORD got = 0;
    EXPECT_TRUE(ReadFile(file, text, sizeof text, &got, nullptr));
    EXPECT_EQ(std::string(text, got), "\\x");
    EXPECT_TRUE(DeleteFileA((data + "\\y").c_str()));  // open files can go, as with FILE_SHARE_DELETE
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(CloseHandle(file));
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
}
