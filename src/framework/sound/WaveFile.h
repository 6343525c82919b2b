// WaveFile.h — the RIFF/WAVE reader for the sound effects: the file's PCM
// format and its whole data chunk, read through the WinMM mmio calls.
// Depends on windows.h and mmsystem.h only.
#pragma once

#include <windows.h>
#include <mmsystem.h>

struct WaveData {
    WAVEFORMATEX format;  // the file's first 16 format bytes, cbSize 0
    BYTE* data;           // GlobalAlloc'ed, zero-initialised; the caller frees it with GlobalFree
    DWORD size;           // bytes in `data`
};

// Reads the WAV file at `path` into `wave`. False, with nothing to free, when
// the file is missing, is not RIFF/WAVE, has no PCM "fmt " or no "data" chunk,
// or ends inside its data chunk.
bool loadWave(const char* path, WaveData& wave);
