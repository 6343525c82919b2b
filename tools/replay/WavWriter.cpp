// WavWriter.cpp — the 44-byte canonical header (RIFF, "fmt " of 16 bytes,
// "data") and little-endian samples, written byte by byte so the file is the
// same whatever the host's byte order.
#include "WavWriter.h"

#include <array>
#include <cstring>
#include <limits>
#include <vector>

namespace replay {

namespace {

constexpr uint32_t HeaderBytes = 44;
constexpr uint16_t BitsPerSample = 16;
constexpr uint64_t MaxDataBytes = std::numeric_limits<uint32_t>::max() - (HeaderBytes - 8);

void put16(uint8_t* out, uint16_t value)
{
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

void put32(uint8_t* out, uint32_t value)
{
    put16(out, static_cast<uint16_t>(value));
    put16(out + 2, static_cast<uint16_t>(value >> 16));
}

using Header = std::array<uint8_t, HeaderBytes>;

Header header(uint32_t rate, uint16_t channels, uint32_t dataBytes)
{
    const uint16_t blockAlign = static_cast<uint16_t>(channels * BitsPerSample / 8);
    Header out{};
    std::memcpy(&out[0], "RIFF", 4);
    put32(&out[4], HeaderBytes - 8 + dataBytes);
    std::memcpy(&out[8], "WAVEfmt ", 8);
    put32(&out[16], 16);
    put16(&out[20], 1);  // PCM
    put16(&out[22], channels);
    put32(&out[24], rate);
    put32(&out[28], rate * blockAlign);
    put16(&out[32], blockAlign);
    put16(&out[34], BitsPerSample);
    std::memcpy(&out[36], "data", 4);
    put32(&out[40], dataBytes);
    return out;
}

}  // namespace

WavWriter::WavWriter(uint32_t sampleRate, uint16_t channels) : sampleRate_(sampleRate), channels_(channels) {}

WavWriter::~WavWriter()
{
    if (file_) std::fclose(file_);
}

bool WavWriter::open(const std::string& path)
{
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) return false;
    const Header placeholder = header(sampleRate_, channels_, 0);
    if (std::fwrite(placeholder.data(), 1, placeholder.size(), file_) != placeholder.size()) failed_ = true;
    return true;
}

void WavWriter::append(const int16_t* samples, size_t count)
{
    if (!file_ || failed_) return;
    if (dataBytes_ + count * 2 > MaxDataBytes) {
        failed_ = true;
        return;
    }
    std::vector<uint8_t> bytes(count * 2);
    for (size_t i = 0; i < count; ++i) put16(&bytes[i * 2], static_cast<uint16_t>(samples[i]));
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
    dataBytes_ += bytes.size();
}

bool WavWriter::finish()
{
    if (!file_) return false;
    const Header final = header(sampleRate_, channels_, static_cast<uint32_t>(dataBytes_));
    if (std::fseek(file_, 0, SEEK_SET) != 0 || std::fwrite(final.data(), 1, final.size(), file_) != final.size())
        failed_ = true;
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
}

}  // namespace replay
