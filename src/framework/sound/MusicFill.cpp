// MusicFill.cpp — refilling one half of a stream's buffer: decoding Ogg
// Vorbis into it, or copying a WAV track's bytes. Both wrap to the track's
// start at its end, as often as needed inside the same half, so a track of
// any length loops without a gap.
#include "framework/sound/MusicStream.h"

namespace {

constexpr int LittleEndian = 0;
constexpr int SixteenBit = 2;
constexpr int SignedSamples = 1;

}  // namespace

void MusicStream::decodeInto(BYTE* region, DWORD bytes)
{
    // A track that gives nothing even right after a rewind (empty or broken
    // throughout) gives up the rest of the region instead of rewinding forever.
    bool rewoundWithoutSamples = false;
    while (bytes > 0) {
        const long got = ov_read(&vorbis, reinterpret_cast<char*>(region), static_cast<int>(bytes), LittleEndian,
                                 SixteenBit, SignedSamples, nullptr);
        if (got > 0) {
            region += got;
            bytes -= static_cast<DWORD>(got);
            rewoundWithoutSamples = false;
            continue;
        }
        if (rewoundWithoutSamples || ov_pcm_seek(&vorbis, 0) != 0) return;
        rewoundWithoutSamples = true;
    }
}

void MusicStream::readWavInto(BYTE* region, DWORD bytes)
{
    // The track runs to the physical end of the file and starts again at its
    // first sample byte, as often as a region needs for a short track. A file
    // with nothing after the data chunk's start leaves the rest of the region
    // as it was.
    size_t got = std::fread(region, 1, bytes, file);
    while (got < bytes && std::feof(file)) {
        std::fseek(file, static_cast<long>(dataOffset), SEEK_SET);
        const size_t more = std::fread(region + got, 1, bytes - got, file);
        if (more == 0) return;
        got += more;
    }
}

void MusicStream::fillHalf(int half, void (MusicStream::*write)(BYTE*, DWORD))
{
    LPVOID first = nullptr;
    LPVOID second = nullptr;
    DWORD firstBytes = 0;
    DWORD secondBytes = 0;
    const DWORD halfBytes = halfFrames * frameBytes;
    if (FAILED(buffer->Lock(half * halfBytes, halfBytes, &first, &firstBytes, &second, &secondBytes, 0))) return;
    (this->*write)(static_cast<BYTE*>(first), firstBytes);
    if (second) (this->*write)(static_cast<BYTE*>(second), secondBytes);
    buffer->Unlock(first, firstBytes, second, secondBytes);
}

void MusicStream::fillFromOgg(int half) { fillHalf(half, &MusicStream::decodeInto); }

void MusicStream::fillFromWav(int half) { fillHalf(half, &MusicStream::readWavInto); }
