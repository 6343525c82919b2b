// TextStyle: glow, outline and fill of one line of text.
#include "TextStyle.h"

#include <cmath>

#include "Mask.h"

namespace datagen {

void drawText(Canvas& c, const Font& font, const std::string& text, int x, int baseline, const TextStyle& s)
{
    // Lay the line out in a padded mask so outline and glow have room.
    int pad = int(std::ceil(s.outline)) + s.glowRadius * 3 + 2;
    int width = font.measure(text, s.size, s.tracking, s.shear) + s.size / 2 + 2 * pad;
    int height = s.size * 3 / 2 + 2 * pad;
    int top = baseline - s.size - pad;
    Mask glyphs(width, height);
    font.draw(glyphs, text, pad, baseline - top, s.size, s.tracking, s.shear);
    Mask edge = s.outline > 0 ? glyphs.grown(s.outline) : glyphs;
    if (s.glowRadius > 0) c.fillMask(edge.blurred(s.glowRadius), x - pad, top, solid(s.glowColour));
    if (s.outline > 0) c.fillMask(edge, x - pad, top, solid(s.outlineColour));
    c.fillMask(glyphs, x - pad, top, s.fill ? s.fill : solid({1, 1, 1, 1}));
}

void drawTextCentred(Canvas& c, const Font& font, const std::string& text, int centreX, int baseline,
                     const TextStyle& s)
{
    drawText(c, font, text, centreX - font.measure(text, s.size, s.tracking, s.shear) / 2, baseline, s);
}

}  // namespace datagen
