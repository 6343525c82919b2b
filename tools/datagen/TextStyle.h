// TextStyle: one line of styled text on a canvas: a soft glow, a dark
// outline for contrast on any ground, and a fill paint (often a gradient).
// Depends on: Canvas, Mask, Text.
#pragma once

#include <string>

#include "Canvas.h"
#include "Text.h"

namespace datagen {

struct TextStyle {
    int size = 20;      // pixel size
    int tracking = 0;   // extra pixels between letters
    float shear = 0;    // slant to the right
    Paint fill;         // white when empty
    float outline = 0;  // outline width in pixels, 0 for none
    Rgba outlineColour = {0.02f, 0.03f, 0.08f, 1};
    int glowRadius = 0;  // 0 for none
    Rgba glowColour = {0.3f, 0.8f, 1, 0.8f};
};

// Draws `text` with its baseline at `baseline`, starting at `x`.
void drawText(Canvas& c, const Font& font, const std::string& text, int x, int baseline, const TextStyle& style);
// The same, centred horizontally on `centreX`.
void drawTextCentred(Canvas& c, const Font& font, const std::string& text, int centreX, int baseline,
                     const TextStyle& style);

}  // namespace datagen
