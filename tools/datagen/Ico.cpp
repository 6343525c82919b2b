#include "Ico.h"

#include <stdexcept>

#include "Png.h"

namespace datagen {

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// BITMAPINFOHEADER with the doubled height of an icon (colour rows, then the
// AND mask), BGRA rows bottom up, and a mask that is set where the picture
// is fully transparent.
std::vector<uint8_t> encodeDib(const Canvas& picture)
{
    const int w = picture.width(), h = picture.height();
    const std::vector<uint8_t> rgba = picture.toRgba8();
    const int maskStride = (w + 31) / 32 * 4;
    std::vector<uint8_t> out;
    put32(out, 40);
    put32(out, uint32_t(w));
    put32(out, uint32_t(2 * h));
    put16(out, 1);   // planes
    put16(out, 32);  // bits per pixel
    put32(out, 0);   // BI_RGB
    put32(out, uint32_t(w * h * 4 + maskStride * h));
    for (int i = 0; i < 4; ++i) put32(out, 0);  // resolution, palette
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = &rgba[(size_t(y) * w + x) * 4];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < w; ++x)
            if (rgba[(size_t(y) * w + x) * 4 + 3] == 0) row[x / 8] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

std::vector<uint8_t> encodeIco(const std::vector<Canvas>& pictures)
{
    std::vector<std::vector<uint8_t>> images;
    for (const Canvas& p : pictures) {
        if (p.width() != p.height() || p.width() < 1 || p.width() > 256)
            throw std::runtime_error("an icon picture must be square, 1 to 256 pixels");
        images.push_back(p.width() == 256 ? encodePng(p) : encodeDib(p));
    }
    std::vector<uint8_t> out;
    put16(out, 0);  // reserved
    put16(out, 1);  // an icon, not a cursor
    put16(out, uint32_t(pictures.size()));
    uint32_t offset = uint32_t(6 + 16 * pictures.size());
    for (size_t i = 0; i < pictures.size(); ++i) {
        const uint8_t side = uint8_t(pictures[i].width() & 0xFF);  // 0 stands for 256
        out.insert(out.end(), {side, side, 0, 0});
        put16(out, 1);
        put16(out, 32);
        put32(out, uint32_t(images[i].size()));
        put32(out, offset);
        offset += uint32_t(images[i].size());
    }
    for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
    return out;
}

}  // namespace datagen
