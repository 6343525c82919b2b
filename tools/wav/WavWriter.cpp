// WavWriter.cpp — a placeholder header first, the samples as they come, and
// the real header written over the placeholder once the size is known.
#include "WavWriter.h"

#include <limits>

#include "RiffWave.h"

namespace wav {

namespace {

constexpr uint64_t MaxDataBytes = std::numeric_limits<uint32_t>::max() - (HeaderBytes - 8);

bool write(std::FILE* file, const Bytes& bytes)
{
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
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
    if (!write(file_, header(sampleRate_, channels_, 0))) failed_ = true;
    return true;
}

void WavWriter::append(const int16_t* samples, size_t count)
{
    if (!file_ || failed_) return;
    if (dataBytes_ + count * 2 > MaxDataBytes) {
        failed_ = true;
        return;
    }
    const Bytes bytes = samples16(std::vector<int16_t>(samples, samples + count));
    if (!write(file_, bytes)) failed_ = true;
    dataBytes_ += bytes.size();
}

bool WavWriter::finish()
{
    if (!file_) return false;
    if (std::fseek(file_, 0, SEEK_SET) != 0 ||
        !write(file_, header(sampleRate_, channels_, static_cast<uint32_t>(dataBytes_))))
        failed_ = true;
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
}

}  // namespace wav
