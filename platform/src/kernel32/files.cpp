// files.cpp — kernel32's file operations on POSIX: CreateFileA, ReadFile,
// WriteFile, FlushFileBuffers, LockFileEx / UnlockFileEx, MoveFileExA,
// DeleteFileA, CreateDirectoryA, GetFileAttributesA, FindFirstFileA /
// FindNextFileA / FindClose, GetFullPathNameA, GetFinalPathNameByHandleA and
// GetLastError, on open / read / write / fsync / flock / rename / unlink /
// mkdir / stat / readdir / realpath; and the standard handles: GetStdHandle
// gives file handles on descriptors 1 and 2, and AttachConsole finds no
// console to attach to, since a POSIX process's standard handles already lead
// to its terminal or wherever they were sent.
// Limits: synchronous calls only (no OVERLAPPED I/O: LockFileEx's OVERLAPPED
// is required as on Windows but its offset is not read); share modes are not
// enforced, since POSIX does not refuse an open to another opener; a lock
// covers the whole file whatever range is asked (flock), and waits until it
// is granted unless LOCKFILE_FAIL_IMMEDIATELY asks it not to. CREATE_NEW
// never follows a link (O_EXCL). MOVEFILE_WRITE_THROUGH also syncs the
// destination's folder, so that the rename itself reaches the disk. A
// search's pattern is matched by fnmatch (`*` and `?`, as Windows reads them
// in a plain name) on the last part of the path only; the final path of a
// handle is the real path of the name it was opened by.
// Depends on: the kernel object registry (handles), the path mapping of the
// win32 area, the host (which opens, writes, renames, makes and removes the
// files, and is told when a lock is taken and let go: the browser's host
// keeps the files in the browser then).
#include "host/host.h"
#include "kernel32/kernel_objects.h"
#include "win32/paths.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace layer::kernel;

namespace layer {

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

BOOL fail(DWORD error)
{
    lastError = error;
    return FALSE;
}

DWORD errorFor(int posixError)
{
    switch (posixError) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case EIO: return ERROR_WRITE_FAULT;
    default: return ERROR_ACCESS_DENIED;  // EACCES, EPERM, EROFS, EISDIR, ...
    }
}

BOOL failWithErrno() { return fail(errorFor(errno)); }

// The descriptor behind an open file handle, or -1.
int descriptorOf(HANDLE handle)
{
    std::lock_guard<std::mutex> guard(lock());
    Object* object = objectFor(handle);
    return object && object->kind == Object::Kind::File ? object->fd : -1;
}

// The host path an open file handle was opened by, or nothing.
std::string pathOf(HANDLE handle)
{
    std::lock_guard<std::mutex> guard(lock());
    Object* object = objectFor(handle);
    return object && object->kind == Object::Kind::File ? object->path : std::string();
}

std::string folderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Copies a path out as the Windows calls do: its length without the end
// mark when it fits, otherwise the size it needs with the mark.
DWORD copyOut(const std::string& path, LPSTR buffer, DWORD length)
{
    lastError = ERROR_SUCCESS;
    if (path.size() + 1 > length || !buffer) return static_cast<DWORD>(path.size() + 1);
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

DWORD attributesOf(const struct stat& info)
{
    return S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}

// Fills `data` with the search's next name; false when none is left.
bool giveFound(Object& search, WIN32_FIND_DATAA& data)
{
    if (search.found.empty()) return false;
    const std::string name = search.found.back();
    search.found.pop_back();
    data = WIN32_FIND_DATAA{};
    std::strncpy(data.cFileName, name.c_str(), MAX_PATH - 1);
    struct stat info {};
    if (stat((search.path + "/" + name).c_str(), &info) == 0) {
        data.dwFileAttributes = attributesOf(info);
        data.nFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(info.st_size) >> 32);
        data.nFileSizeLow = static_cast<DWORD>(info.st_size);
    } else {
        data.dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
    }
    return true;
}

// A handle on a standard descriptor, or null where it is not open (as
// Windows gives for a program started without one).
HANDLE standardHandle(int fd)
{
    if (fcntl(fd, F_GETFD) < 0) return nullptr;
    auto* file = new Object(Object::Kind::File);
    file->fd = fd;
    std::lock_guard<std::mutex> guard(kernel::lock());
    return registerObject(file);
}

}  // namespace

}  // namespace layer

using namespace layer;

DWORD GetLastError() { return lastError; }

HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD /*shareMode*/, LPSECURITY_ATTRIBUTES /*attributes*/,
                   DWORD creationDisposition, DWORD /*flagsAndAttributes*/, HANDLE /*templateFile*/)
{
    if (!fileName) {
        fail(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    int flags = O_CLOEXEC;
    const bool reading = (access & GENERIC_READ) != 0;
    const bool writing = (access & GENERIC_WRITE) != 0;
    flags |= reading && writing ? O_RDWR : writing ? O_WRONLY : O_RDONLY;
    switch (creationDisposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    default: fail(ERROR_INVALID_PARAMETER); return INVALID_HANDLE_VALUE;
    }
    const std::string path = hostPath(fileName);
    const int fd = host::current().openFile(path, flags);
    if (fd < 0) {
        // Windows tells an existing file met by CREATE_NEW from a folder
        // that exists (CreateDirectoryA's ERROR_ALREADY_EXISTS).
        if (errno == EEXIST) fail(ERROR_FILE_EXISTS);
        else failWithErrno();
        return INVALID_HANDLE_VALUE;
    }
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        close(fd);
        fail(ERROR_ACCESS_DENIED);  // as Windows answers for a folder
        return INVALID_HANDLE_VALUE;
    }
    auto* file = new Object(Object::Kind::File);
    file->fd = fd;
    file->path = path;
    lastError = ERROR_SUCCESS;
    std::lock_guard<std::mutex> guard(kernel::lock());
    return registerObject(file);
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED overlapped)
{
    if (bytesRead) *bytesRead = 0;
    const int fd = descriptorOf(file);
    if (fd < 0) return fail(ERROR_INVALID_HANDLE);
    if (overlapped || (!buffer && bytesToRead)) return fail(ERROR_INVALID_PARAMETER);
    ssize_t n;
    do n = read(fd, buffer, bytesToRead);
    while (n < 0 && errno == EINTR);
    if (n < 0) return fail(ERROR_READ_FAULT);
    if (bytesRead) *bytesRead = static_cast<DWORD>(n);
    return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten, LPOVERLAPPED overlapped)
{
    if (bytesWritten) *bytesWritten = 0;
    const int fd = descriptorOf(file);
    if (fd < 0) return fail(ERROR_INVALID_HANDLE);
    if (overlapped || (!buffer && bytesToWrite)) return fail(ERROR_INVALID_PARAMETER);
    size_t done = 0;
    const int error = host::current().writeFile(fd, static_cast<const char*>(buffer), bytesToWrite, done);
    if (bytesWritten) *bytesWritten = static_cast<DWORD>(done);
    return error ? fail(errorFor(error)) : TRUE;
}

BOOL FlushFileBuffers(HANDLE file)
{
    const int fd = descriptorOf(file);
    if (fd < 0) return fail(ERROR_INVALID_HANDLE);
    return fsync(fd) == 0 ? TRUE : failWithErrno();
}

BOOL LockFileEx(HANDLE file, DWORD flags, DWORD /*reserved*/, DWORD /*bytesLow*/, DWORD /*bytesHigh*/,
                LPOVERLAPPED overlapped)
{
    const int fd = descriptorOf(file);
    if (fd < 0) return fail(ERROR_INVALID_HANDLE);
    if (!overlapped) return fail(ERROR_INVALID_PARAMETER);
    int operation = (flags & LOCKFILE_EXCLUSIVE_LOCK) ? LOCK_EX : LOCK_SH;
    if (flags & LOCKFILE_FAIL_IMMEDIATELY) operation |= LOCK_NB;
    int result;
    do result = flock(fd, operation);
    while (result < 0 && errno == EINTR);
    if (result != 0) return errno == EWOULDBLOCK ? fail(ERROR_LOCK_VIOLATION) : failWithErrno();
    layer::host::current().filesLocked(pathOf(file));
    return TRUE;
}

BOOL UnlockFileEx(HANDLE file, DWORD /*reserved*/, DWORD /*bytesLow*/, DWORD /*bytesHigh*/, LPOVERLAPPED overlapped)
{
    const int fd = descriptorOf(file);
    if (fd < 0) return fail(ERROR_INVALID_HANDLE);
    if (!overlapped) return fail(ERROR_INVALID_PARAMETER);
    layer::host::current().filesUnlocking(pathOf(file));
    return flock(fd, LOCK_UN) == 0 ? TRUE : failWithErrno();
}

BOOL MoveFileExA(LPCSTR existingName, LPCSTR newName, DWORD flags)
{
    if (!existingName || !newName) return fail(ERROR_INVALID_PARAMETER);
    const std::string from = hostPath(existingName);
    const std::string to = hostPath(newName);
    struct stat existing {};
    if (!(flags & MOVEFILE_REPLACE_EXISTING) && lstat(to.c_str(), &existing) == 0) return fail(ERROR_ALREADY_EXISTS);
    if (host::current().renameFile(from, to) != 0) return failWithErrno();
    if (flags & MOVEFILE_WRITE_THROUGH) {
        const int folder = open(folderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0) return failWithErrno();
        const bool synced = fsync(folder) == 0;
        const int syncError = errno;
        close(folder);
        if (!synced) return fail(errorFor(syncError));
    }
    lastError = ERROR_SUCCESS;
    return TRUE;
}

BOOL DeleteFileA(LPCSTR fileName)
{
    if (!fileName) return fail(ERROR_INVALID_PARAMETER);
    const std::string path = hostPath(fileName);
    return host::current().removeFile(path) == 0 ? TRUE : failWithErrno();
}

BOOL CreateDirectoryA(LPCSTR pathName, LPSECURITY_ATTRIBUTES /*attributes*/)
{
    if (!pathName) return fail(ERROR_INVALID_PARAMETER);
    const std::string path = hostPath(pathName);
    if (host::current().makeFolder(path) != 0) return errno == ENOENT ? fail(ERROR_PATH_NOT_FOUND) : failWithErrno();
    return TRUE;
}

DWORD GetFileAttributesA(LPCSTR fileName)
{
    if (!fileName) {
        fail(ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    struct stat info {};
    if (stat(hostPath(fileName).c_str(), &info) != 0) {
        failWithErrno();
        return INVALID_FILE_ATTRIBUTES;
    }
    lastError = ERROR_SUCCESS;
    return attributesOf(info);
}

HANDLE FindFirstFileA(LPCSTR fileName, LPWIN32_FIND_DATAA findData)
{
    if (!fileName || !findData) {
        fail(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::string path = hostPath(fileName);
    const size_t slash = path.find_last_of('/');
    const std::string pattern = slash == std::string::npos ? path : path.substr(slash + 1);
    auto* search = new Object(Object::Kind::Find);
    search->path = folderOf(path);
    DIR* folder = opendir(search->path.c_str());
    if (!folder) {
        delete search;
        fail(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : errorFor(errno));
        return INVALID_HANDLE_VALUE;
    }
    while (const dirent* entry = readdir(folder))
        if (fnmatch(pattern.c_str(), entry->d_name, 0) == 0) search->found.push_back(entry->d_name);
    closedir(folder);
    std::sort(search->found.rbegin(), search->found.rend());
    if (!giveFound(*search, *findData)) {
        delete search;
        fail(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    lastError = ERROR_SUCCESS;
    std::lock_guard<std::mutex> guard(kernel::lock());
    return registerObject(search);
}

BOOL FindNextFileA(HANDLE findFile, LPWIN32_FIND_DATAA findData)
{
    if (!findData) return fail(ERROR_INVALID_PARAMETER);
    std::lock_guard<std::mutex> guard(kernel::lock());
    Object* search = objectFor(findFile);
    if (!search || search->kind != Object::Kind::Find) return fail(ERROR_INVALID_HANDLE);
    if (!giveFound(*search, *findData)) return fail(ERROR_NO_MORE_FILES);
    lastError = ERROR_SUCCESS;
    return TRUE;
}

BOOL FindClose(HANDLE findFile)
{
    std::lock_guard<std::mutex> guard(kernel::lock());
    Object* search = objectFor(findFile);
    if (!search || search->kind != Object::Kind::Find) return fail(ERROR_INVALID_HANDLE);
    search->open = false;
    releaseIfUnused(search);
    return TRUE;
}

DWORD GetFullPathNameA(LPCSTR fileName, DWORD bufferLength, LPSTR buffer, LPSTR* filePart)
{
    if (filePart) *filePart = nullptr;
    if (!fileName || !*fileName) {
        fail(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string path = fullHostPath(fileName);
    const DWORD result = copyOut(path, buffer, bufferLength);
    const size_t slash = path.find_last_of('/');
    if (filePart && result < bufferLength && slash + 1 < path.size()) *filePart = buffer + slash + 1;
    return result;
}

DWORD GetFinalPathNameByHandleA(HANDLE file, LPSTR filePath, DWORD filePathLength, DWORD flags)
{
    if (flags != (FILE_NAME_NORMALIZED | VOLUME_NAME_DOS)) {
        fail(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string path;
    {
        std::lock_guard<std::mutex> guard(kernel::lock());
        Object* object = objectFor(file);
        if (!object || object->kind != Object::Kind::File) {
            fail(ERROR_INVALID_HANDLE);
            return 0;
        }
        path = object->path;
    }
    char* real = realpath(path.c_str(), nullptr);
    if (!real) {
        failWithErrno();
        return 0;
    }
    const std::string resolved = real;
    std::free(real);
    return copyOut(resolved, filePath, filePathLength);
}

HANDLE GetStdHandle(DWORD stdHandle)
{
    // One handle each for the life of the process, as on Windows; closing it
    // closes the descriptor.
    static const HANDLE output = standardHandle(STDOUT_FILENO);
    static const HANDLE error = standardHandle(STDERR_FILENO);
    lastError = ERROR_SUCCESS;
    if (stdHandle == STD_OUTPUT_HANDLE) return output;
    if (stdHandle == STD_ERROR_HANDLE) return error;
    fail(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
}

BOOL AttachConsole(DWORD /*processId*/)
{
    // What Windows answers where the parent has no console.
    return fail(ERROR_INVALID_HANDLE);
}
