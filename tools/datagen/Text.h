// Text: lays out one line of UTF-8 text with a TrueType font through FreeType
// into a coverage mask, hinted and pixel-aligned so it stays crisp.
// Limits: one line, left-to-right, no shaping beyond kerning. An optional
// shear slants the glyphs (the fonts we ship with have no italic cut).
// Depends on: FreeType, Mask.h.
#pragma once

#include <memory>
#include <string>

#include "Mask.h"

namespace datagen {

class Font {
public:
    explicit Font(const std::string& path);  // throws when the file does not load
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Width in pixels of the line at `pixelSize` with `tracking` extra pixels
    // between letters.
    int measure(const std::string& text, int pixelSize, int tracking = 0, float shear = 0) const;
    // Height of the capital letters above the baseline, in pixels.
    int capHeight(int pixelSize) const;
    // Adds the line to `mask` with its baseline starting at (x, baseline).
    void draw(Mask& mask, const std::string& text, int x, int baseline, int pixelSize, int tracking = 0,
              float shear = 0) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

}  // namespace datagen
