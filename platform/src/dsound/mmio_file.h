// mmio_file.h — the state behind an HMMIO: the open file and, with
// MMIO_ALLOCBUF, the I/O buffer the caller may read from directly through
// mmioGetInfo / mmioAdvance / mmioSetInfo. Internal to platform/src/dsound.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace layer::mmio {

struct File {
    std::FILE* stream = nullptr;
    MMIOINFO info{};           // pchBuffer..pchEndRead describe the I/O buffer
    std::vector<char> buffer;  // empty when unbuffered
    int64_t unbufferedPosition = 0;
};

File* fileFor(HMMIO handle);
int64_t position(const File& file);
// Moves to `offset` from the file start; false when it cannot be reached.
bool moveTo(File& file, int64_t offset);
// Reads up to `bytes` bytes at the current position; the count read.
int64_t readBytes(File& file, char* out, int64_t bytes);

}  // namespace layer::mmio
