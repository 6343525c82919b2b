// DecodedImage: libpng read-back of generated images.
#include "DecodedImage.h"

#include <png.h>

#include <cstdio>

float DecodedImage::luminance(int x, int y) const
{
    const uint8_t* p = at(x, y);
    return (0.2126f * float(p[0]) + 0.7152f * float(p[1]) + 0.0722f * float(p[2])) / 255.0f;
}

int DecodedImage::countVisible(int x0, int y0, int x1, int y1, int minAlpha) const
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += alpha(x, y) >= minAlpha;
    return n;
}

DecodedImage decodePng(const std::string& path)
{
    DecodedImage image;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return image;
    image.hadAlphaChannel = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    png.format = PNG_FORMAT_RGBA;
    image.rgba.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr)) {
        png_image_free(&png);
        return image;
    }
    image.width = int(png.width);
    image.height = int(png.height);
    image.loaded = true;
    return image;
}
