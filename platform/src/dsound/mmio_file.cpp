// mmio_file.cpp — WinMM buffered file I/O for reading: mmioOpenA, mmioClose,
// mmioRead, mmioSeek, and direct access to the I/O buffer through
// mmioGetInfo, mmioAdvance and mmioSetInfo. Files are opened for reading
// only; a path's backslashes are read as slashes.
#include "dsound/mmio_file.h"

#include "win32/paths.h"

#include <algorithm>
#include <limits>
#include <cstring>

namespace layer::mmio {

namespace {

LONG bufferedBytes(const File& file) { return static_cast<LONG>(file.info.pchEndRead - file.info.pchBuffer); }

// Fills the I/O buffer from `offset` on; false on a read error.
bool refill(File& file, int64_t offset)
{
    MMIOINFO& info = file.info;
    size_t got = 0;
    if (std::fseek(file.stream, static_cast<long>(offset), SEEK_SET) == 0)
        got = std::fread(file.buffer.data(), 1, file.buffer.size(), file.stream);
    info.lBufOffset = static_cast<LONG>(offset);
    info.pchNext = info.pchBuffer;
    info.pchEndRead = info.pchBuffer + got;
    info.lDiskOffset = static_cast<LONG>(offset + static_cast<int64_t>(got));
    return !std::ferror(file.stream);
}

void setError(LPMMIOINFO info, UINT error)
{
    if (info) info->wErrorRet = error;
}

}  // namespace

File* fileFor(HMMIO handle) { return reinterpret_cast<File*>(handle); }

int64_t position(const File& file)
{
    if (file.buffer.empty()) return file.unbufferedPosition;
    return file.info.lBufOffset + (file.info.pchNext - file.info.pchBuffer);
}

bool moveTo(File& file, int64_t offset)
{
    if (offset < 0 || offset > std::numeric_limits<LONG>::max()) return false;
    if (file.buffer.empty()) {
        file.unbufferedPosition = offset;
        return true;
    }
    MMIOINFO& info = file.info;
    if (offset >= info.lBufOffset && offset <= info.lBufOffset + bufferedBytes(file)) {
        info.pchNext = info.pchBuffer + (offset - info.lBufOffset);
    } else {
        info.lBufOffset = static_cast<LONG>(offset);
        info.lDiskOffset = static_cast<LONG>(offset);
        info.pchNext = info.pchEndRead = info.pchBuffer;
    }
    return true;
}

int64_t readBytes(File& file, char* out, int64_t bytes)
{
    if (file.buffer.empty()) {
        if (std::fseek(file.stream, static_cast<long>(file.unbufferedPosition), SEEK_SET) != 0) return 0;
        const size_t got = std::fread(out, 1, static_cast<size_t>(bytes), file.stream);
        file.unbufferedPosition += static_cast<int64_t>(got);
        return static_cast<int64_t>(got);
    }
    MMIOINFO& info = file.info;
    int64_t done = 0;
    while (done < bytes) {
        if (info.pchNext == info.pchEndRead) {
            if (!refill(file, position(file)) || info.pchNext == info.pchEndRead) break;
        }
        const int64_t take = std::min<int64_t>(bytes - done, info.pchEndRead - info.pchNext);
        std::memcpy(out + done, info.pchNext, static_cast<size_t>(take));
        info.pchNext += take;
        done += take;
    }
    return done;
}

}  // namespace layer::mmio

using layer::mmio::File;
using layer::mmio::fileFor;

HMMIO mmioOpenA(LPSTR fileName, LPMMIOINFO info, DWORD openFlags)
{
    if (openFlags & ~static_cast<DWORD>(MMIO_READ | MMIO_ALLOCBUF)) {
        OutputDebugStringA("mmioOpenA: files are opened for reading only\n");
        layer::mmio::setError(info, MMSYSERR_INVALFLAG);
        return nullptr;
    }
    if (!fileName) {
        layer::mmio::setError(info, MMSYSERR_INVALPARAM);
        return nullptr;
    }
    std::FILE* stream = std::fopen(layer::hostPath(fileName).c_str(), "rb");
    if (!stream) {
        layer::mmio::setError(info, MMIOERR_FILENOTFOUND);
        return nullptr;
    }
    auto* file = new File;
    file->stream = stream;
    if (openFlags & MMIO_ALLOCBUF) {
        const LONG size = (info && info->cchBuffer > 0) ? info->cchBuffer : MMIO_DEFAULTBUFFER;
        file->buffer.resize(static_cast<size_t>(size));
        file->info.cchBuffer = size;
        file->info.pchBuffer = file->buffer.data();
        file->info.pchNext = file->info.pchEndRead = file->info.pchEndWrite = file->info.pchBuffer;
    }
    file->info.dwFlags = openFlags;
    file->info.hmmio = reinterpret_cast<HMMIO>(file);
    layer::mmio::setError(info, MMSYSERR_NOERROR);
    return file->info.hmmio;
}

MMRESULT mmioClose(HMMIO handle, UINT /*flags*/)
{
    File* file = fileFor(handle);
    if (!file) return MMSYSERR_INVALHANDLE;
    std::fclose(file->stream);
    delete file;
    return MMSYSERR_NOERROR;
}

LONG mmioRead(HMMIO handle, HPSTR buffer, LONG bytes)
{
    File* file = fileFor(handle);
    if (!file || bytes < 0 || (!buffer && bytes > 0)) return -1;
    const int64_t got = layer::mmio::readBytes(*file, buffer, bytes);
    return std::ferror(file->stream) ? -1 : static_cast<LONG>(got);
}

LONG mmioSeek(HMMIO handle, LONG offset, int origin)
{
    File* file = fileFor(handle);
    if (!file) return -1;
    int64_t base = 0;
    if (origin == SEEK_CUR) {
        base = layer::mmio::position(*file);
    } else if (origin == SEEK_END) {
        if (std::fseek(file->stream, 0, SEEK_END) != 0) return -1;
        base = std::ftell(file->stream);
    } else if (origin != SEEK_SET) {
        return -1;
    }
    const int64_t target = base + offset;
    if (!layer::mmio::moveTo(*file, target)) return -1;
    return static_cast<LONG>(target);
}

MMRESULT mmioGetInfo(HMMIO handle, LPMMIOINFO info, UINT /*flags*/)
{
    File* file = fileFor(handle);
    if (!file) return MMSYSERR_INVALHANDLE;
    if (!info) return MMSYSERR_INVALPARAM;
    *info = file->info;
    return MMSYSERR_NOERROR;
}

MMRESULT mmioSetInfo(HMMIO handle, LPCMMIOINFO info, UINT /*flags*/)
{
    File* file = fileFor(handle);
    if (!file) return MMSYSERR_INVALHANDLE;
    if (!info) return MMSYSERR_INVALPARAM;
    // Only the read position within the current buffer is taken back.
    if (info->pchBuffer == file->info.pchBuffer && info->pchNext >= file->info.pchBuffer &&
        info->pchNext <= file->info.pchEndRead)
        file->info.pchNext = info->pchNext;
    return MMSYSERR_NOERROR;
}

MMRESULT mmioAdvance(HMMIO handle, LPMMIOINFO info, UINT flags)
{
    File* file = fileFor(handle);
    if (!file) return MMSYSERR_INVALHANDLE;
    if (file->buffer.empty()) return MMIOERR_UNBUFFERED;
    if (flags != MMIO_READ) return MMSYSERR_INVALFLAG;
    if (info) mmioSetInfo(handle, info, 0);
    const int64_t next = layer::mmio::position(*file);
    if (!layer::mmio::refill(*file, next)) return MMIOERR_CANNOTREAD;
    if (info) *info = file->info;
    return MMSYSERR_NOERROR;
}
