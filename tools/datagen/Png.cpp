// Png: deterministic RGBA PNG encoding through libpng.
#include "Png.h"

#include <png.h>

#include <stdexcept>

namespace datagen {

static void appendBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

static void noFlush(png_structp) {}

std::vector<uint8_t> encodePng(const Canvas& canvas)
{
    std::vector<uint8_t> pixels = canvas.toRgba8();
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw std::runtime_error("libpng: out of memory");
    }
    std::vector<png_bytep> rows(size_t(canvas.height()));
    for (int y = 0; y < canvas.height(); ++y) rows[size_t(y)] = &pixels[size_t(y) * canvas.width() * 4];
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng: encoding failed");
    }
    png_set_write_fn(png, &out, appendBytes, noFlush);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, png_uint_32(canvas.width()), png_uint_32(canvas.height()), 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace datagen
