// png_image.cpp — PNG decoding through libpng from memory: palettes, grey,
// 16-bit samples (their high byte, no gamma conversion) and interlaced images
// become 8-bit BGRA rows, written straight into the image's texels; libpng's
// own size limits refuse oversized headers. And the point stretch.
#include "d3d9/png_image.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace layer::d3d {

namespace {

struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t offset;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length)
{
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->offset) png_error(png, "the file is truncated");
    std::memcpy(out, reader->data + reader->offset, length);
    reader->offset += length;
}

constexpr size_t ErrorCapacity = 200;

void onError(png_structp png, png_const_charp message)
{
    std::snprintf(static_cast<char*>(png_get_error_ptr(png)), ErrorCapacity, "%s", message);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// libpng reports errors by longjmp, so this function owns nothing with a
// destructor: the pixels go straight into the caller's vector, its row table
// is malloc'd and freed on both paths.
bool decodeRaw(const uint8_t* data, size_t size, std::vector<uint32_t>& pixels, uint32_t& width, uint32_t& height,
               bool& hasAlpha, char* error)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, error, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        std::snprintf(error, ErrorCapacity, "out of memory");
        return false;
    }
    png_bytep* volatile rows = nullptr;
    MemoryReader reader{data, size, 0};
    if (setjmp(png_jmpbuf(png))) {
        std::free(rows);
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &reader, readFromMemory);
    // Larger images fail in png_read_info, before any pixel memory exists.
    png_set_user_limits(png, LargestTextureSide, LargestTextureSide);
    png_read_info(png, info);
    png_uint_32 w = 0, h = 0;
    int depth = 0, colourType = 0;
    png_get_IHDR(png, info, &w, &h, &depth, &colourType, nullptr, nullptr, nullptr);
    bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || transparency;
    if (depth == 16) png_set_strip_16(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (transparency) png_set_tRNS_to_alpha(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);  // little-endian 0xAARRGGBB
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(w) * 4) png_error(png, "unsupported pixel layout");
    bool allocated = true;
    try {
        pixels.resize(static_cast<size_t>(w) * h);
    } catch (const std::bad_alloc&) {
        allocated = false;
    }
    rows = static_cast<png_bytep*>(std::malloc(h * sizeof(png_bytep)));
    if (!allocated || !rows) png_error(png, "out of memory");
    for (png_uint_32 y = 0; y < h; ++y) rows[y] = reinterpret_cast<png_bytep>(&pixels[static_cast<size_t>(y) * w]);
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::free(rows);
    width = w;
    height = h;
    return true;
}

}  // namespace

bool decodePng(const uint8_t* data, size_t size, DecodedImage& image, std::string& error)
{
    image = DecodedImage{};
    if (!data || size == 0) {
        error = "empty file";
        return false;
    }
    char message[ErrorCapacity] = "not a PNG image";
    if (!decodeRaw(data, size, image.texels, image.width, image.height, image.hasAlpha, message)) {
        image = DecodedImage{};
        error = message;
        return false;
    }
    return true;
}

uint32_t nextPowerOfTwo(uint32_t value)
{
    uint32_t power = 1;
    while (power < value) power <<= 1;
    return power;
}

std::vector<uint32_t> stretchPoint(DecodedImage&& image, uint32_t width, uint32_t height)
{
    if (width == image.width && height == image.height) return std::move(image.texels);
    std::vector<uint32_t> out(static_cast<size_t>(width) * height);
    std::vector<uint32_t> column(width);
    for (uint32_t x = 0; x < width; ++x)
        column[x] = static_cast<uint32_t>((uint64_t{2} * x + 1) * image.width / (uint64_t{2} * width));
    for (uint32_t y = 0; y < height; ++y) {
        uint32_t sourceRow = static_cast<uint32_t>((uint64_t{2} * y + 1) * image.height / (uint64_t{2} * height));
        const uint32_t* source = &image.texels[static_cast<size_t>(sourceRow) * image.width];
        uint32_t* destination = &out[static_cast<size_t>(y) * width];
        for (uint32_t x = 0; x < width; ++x) destination[x] = source[column[x]];
    }
    return out;
}

}  // namespace layer::d3d
