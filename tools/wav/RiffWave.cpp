// RiffWave.cpp — the header is the general chunk layout with the data chunk's
// body left out, so a file made whole and one streamed by WavWriter agree.
#include "RiffWave.h"

namespace wav {

namespace {

constexpr uint16_t BitsPerSample = 16;

void putId(Bytes& out, const char* id) { out.insert(out.end(), id, id + 4); }

void append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

}  // namespace

void put16(Bytes& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(Bytes& out, uint32_t value)
{
    put16(out, static_cast<uint16_t>(value));
    put16(out, static_cast<uint16_t>(value >> 16));
}

Bytes chunk(const char* id, const Bytes& body)
{
    Bytes out;
    putId(out, id);
    put32(out, static_cast<uint32_t>(body.size()));
    append(out, body);
    if (body.size() % 2) out.push_back(0);
    return out;
}

Bytes formatBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits)
{
    const uint16_t blockAlign = static_cast<uint16_t>(channels * bits / 8);
    Bytes body;
    put16(body, tag);
    put16(body, channels);
    put32(body, rate);
    put32(body, rate * blockAlign);
    put16(body, blockAlign);
    put16(body, bits);
    return body;
}

Bytes riffWave(const std::vector<Bytes>& chunks)
{
    Bytes body;
    putId(body, "WAVE");
    for (const Bytes& c : chunks) append(body, c);
    return chunk("RIFF", body);
}

Bytes samples16(const std::vector<int16_t>& samples)
{
    Bytes out;
    out.reserve(samples.size() * 2);
    for (int16_t s : samples) put16(out, static_cast<uint16_t>(s));
    return out;
}

Bytes header(uint32_t rate, uint16_t channels, uint32_t dataBytes)
{
    Bytes out;
    putId(out, "RIFF");
    put32(out, HeaderBytes - 8 + dataBytes);
    putId(out, "WAVE");
    append(out, chunk("fmt ", formatBody(FormatPcm, channels, rate, BitsPerSample)));
    putId(out, "data");
    put32(out, dataBytes);
    return out;
}

Bytes pcm16(uint32_t rate, uint16_t channels, const std::vector<int16_t>& samples)
{
    Bytes out = header(rate, channels, static_cast<uint32_t>(samples.size() * 2));
    append(out, samples16(samples));
    return out;
}

}  // namespace wav
