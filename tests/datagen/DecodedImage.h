// DecodedImage: a generated PNG read back through libpng as 8-bit RGBA, with
// the pixel look-ups the data tests need.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DecodedImage {
    bool loaded = false;
    int width = 0, height = 0;
    bool hadAlphaChannel = false;
    std::vector<uint8_t> rgba;

    const uint8_t* at(int x, int y) const { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
    int alpha(int x, int y) const { return at(x, y)[3]; }
    // sRGB luminance 0..1 of the colour (alpha ignored).
    float luminance(int x, int y) const;
    // Number of pixels in the rectangle whose alpha is at least `minAlpha`.
    int countVisible(int x0, int y0, int x1, int y1, int minAlpha) const;
};

DecodedImage decodePng(const std::string& path);
