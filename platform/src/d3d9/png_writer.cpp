// png_writer.cpp — PNG output through libpng's simplified write API.
#include "d3d9/png_writer.h"

#include <png.h>

namespace layer::d3d {

bool writePngFile(const char* path, int width, int height, const uint8_t* rgba)
{
    if (!path || !rgba || width <= 0 || height <= 0) return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    bool written = png_image_write_to_file(&image, path, 0, rgba, 0, nullptr) != 0;
    png_image_free(&image);
    return written;
}

}  // namespace layer::d3d
