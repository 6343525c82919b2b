// WaveFile.cpp — loadWave: walks the RIFF chunks with mmioDescend, takes the
// first 16 bytes of "fmt " (PCM only), then copies the "data" chunk out of
// the mmio I/O buffer. "data" may stand before or after "fmt ": its search
// starts again at the first subchunk.
#include "framework/sound/WaveFile.h"

#include <cstdio>

namespace {

constexpr LONG PcmFormatBytes = 16;

// The data chunk's bytes, copied out of the I/O buffer; false when the file
// ends first.
bool copyData(HMMIO file, BYTE* data, DWORD size)
{
    MMIOINFO info;
    if (mmioGetInfo(file, &info, 0) != MMSYSERR_NOERROR) return false;
    for (DWORD i = 0; i < size; ++i) {
        if (info.pchNext == info.pchEndRead) {
            if (mmioAdvance(file, &info, MMIO_READ) != MMSYSERR_NOERROR || info.pchNext == info.pchEndRead)
                return false;
        }
        data[i] = static_cast<BYTE>(*info.pchNext++);
    }
    mmioSetInfo(file, &info, 0);
    return true;
}

bool readWave(HMMIO file, WaveData& wave)
{
    MMCKINFO riff = {};
    if (mmioDescend(file, &riff, nullptr, 0) != MMSYSERR_NOERROR) return false;
    if (riff.ckid != FOURCC_RIFF || riff.fccType != mmioFOURCC('W', 'A', 'V', 'E')) return false;

    MMCKINFO chunk = {};
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return false;
    if (chunk.cksize < static_cast<DWORD>(PcmFormatBytes)) return false;
    WAVEFORMATEX format = {};
    if (mmioRead(file, reinterpret_cast<HPSTR>(&format), PcmFormatBytes) != PcmFormatBytes) return false;
    if (format.wFormatTag != WAVE_FORMAT_PCM) return false;
    format.cbSize = 0;

    if (mmioSeek(file, static_cast<LONG>(riff.dwDataOffset + 4), SEEK_SET) == -1) return false;
    chunk = {};
    chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return false;

    // A size beyond the end of the file would fail the copy anyway; refusing
    // it here spares an allocation as large as the size claims.
    const LONG fileEnd = mmioSeek(file, 0, SEEK_END);
    if (fileEnd == -1 || static_cast<DWORD>(fileEnd) - chunk.dwDataOffset < chunk.cksize) return false;
    if (mmioSeek(file, static_cast<LONG>(chunk.dwDataOffset), SEEK_SET) == -1) return false;

    BYTE* data = static_cast<BYTE*>(GlobalAlloc(GPTR, chunk.cksize));
    if (!data) return false;
    if (!copyData(file, data, chunk.cksize)) {
        GlobalFree(data);
        return false;
    }
    wave.format = format;
    wave.data = data;
    wave.size = chunk.cksize;
    return true;
}

}  // namespace

bool loadWave(const char* path, WaveData& wave)
{
    HMMIO file = mmioOpenA(const_cast<LPSTR>(path), nullptr, MMIO_ALLOCBUF | MMIO_READ);
    if (!file) return false;
    const bool loaded = readWave(file, wave);
    mmioClose(file, 0);
    return loaded;
}
