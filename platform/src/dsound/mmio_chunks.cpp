// mmio_chunks.cpp — mmioDescend over RIFF files: reads the chunk header at the
// current position, or with MMIO_FINDCHUNK walks the chunks until one with
// the wanted identifier, never past the end of the parent chunk. A chunk of
// odd size is followed by a pad byte, which the walk steps over. Sizes are
// taken as the file states them; one that points past the file simply ends
// the walk there.
#include "dsound/mmio_file.h"

namespace {

DWORD littleEndian32(const unsigned char* bytes)
{
    return static_cast<DWORD>(bytes[0]) | (static_cast<DWORD>(bytes[1]) << 8) | (static_cast<DWORD>(bytes[2]) << 16) |
           (static_cast<DWORD>(bytes[3]) << 24);
}

bool readWord(layer::mmio::File& file, DWORD& word)
{
    unsigned char bytes[4];
    if (layer::mmio::readBytes(file, reinterpret_cast<char*>(bytes), 4) != 4) return false;
    word = littleEndian32(bytes);
    return true;
}

bool hasFormType(FOURCC id) { return id == FOURCC_RIFF || id == FOURCC_LIST; }

}  // namespace

MMRESULT mmioDescend(HMMIO handle, LPMMCKINFO chunk, LPCMMCKINFO parent, UINT flags)
{
    layer::mmio::File* file = layer::mmio::fileFor(handle);
    if (!file) return MMSYSERR_INVALHANDLE;
    if (!chunk) return MMSYSERR_INVALPARAM;
    if (flags & ~static_cast<UINT>(MMIO_FINDCHUNK)) return MMSYSERR_INVALFLAG;
    const int64_t parentEnd = parent ? int64_t{parent->dwDataOffset} + parent->cksize : INT64_MAX;
    const FOURCC wanted = chunk->ckid;
    for (;;) {
        const int64_t start = layer::mmio::position(*file);
        if (start + 8 > parentEnd) return MMIOERR_CHUNKNOTFOUND;
        DWORD id = 0;
        DWORD size = 0;
        if (!readWord(*file, id) || !readWord(*file, size)) return MMIOERR_CHUNKNOTFOUND;
        const int64_t dataOffset = start + 8;
        if (!(flags & MMIO_FINDCHUNK) || id == wanted) {
            DWORD formType = 0;
            if (hasFormType(id) && !readWord(*file, formType)) return MMIOERR_CHUNKNOTFOUND;
            chunk->ckid = id;
            chunk->cksize = size;
            chunk->fccType = formType;
            chunk->dwDataOffset = static_cast<DWORD>(dataOffset);
            chunk->dwFlags = 0;
            return MMSYSERR_NOERROR;
        }
        const int64_t next = dataOffset + size + (size & 1);
        if (!layer::mmio::moveTo(*file, next)) return MMIOERR_CHUNKNOTFOUND;
    }
}
