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

TEST(UserFolders, TheSavesCallsAnswerAsOnWindows)
{
    const ScratchFolder scratch("calls");
    const std::string root = scratch.path().string();
    const std::string lockName = root + "\\a.lock";
    auto open = [](const std::string& name, DWORD disposition) {
        return CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           disposition, 0, nullptr);
    };
    HANDLE first = open(lockName, OPEN_ALWAYS), second = open(lockName, OPEN_ALWAYS);
    OVERLAPPED range{};
    EXPECT_TRUE(LockFileEx(first, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &range));
    EXPECT_FALSE(LockFileEx(second, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &range));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_LOCK_VIOLATION));
    EXPECT_EQ(open(lockName, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));

    // A name too long for the buffer gives the size it needs, end mark included.
    const std::string deep = root + "\\" + std::string(300, 'd') + "\\..\\b.lock";
    char small[8];
    EXPECT_EQ(GetFullPathNameA(deep.c_str(), sizeof small, small, nullptr), root.size() + 8);
    std::string full(root.size() + 8, '\0');
    EXPECT_EQ(GetFullPathNameA(deep.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr), root.size() + 7);
    EXPECT_EQ(full.c_str(), root + "/b.lock");

    std::filesystem::create_symlink("a.lock", scratch.path() / "link");
    HANDLE linked = open(root + "\\link", OPEN_EXISTING);
    char final[MAX_PATH];
    const DWORD length = GetFinalPathNameByHandleA(linked, final, MAX_PATH, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    EXPECT_EQ(std::string(final, length), fs::canonical(scratch.path() / "a.lock").string());

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((root + "\\*.lock").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(found.cFileName, "a.lock");
    EXPECT_FALSE(FindNextFileA(search, &found));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(search));
    EXPECT_EQ(FindFirstFileA((root + "\\*.none").c_str(), &found), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    for (HANDLE handle : {first, second, linked}) CloseHandle(handle);
}
