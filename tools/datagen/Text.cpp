// Text: FreeType line layout into coverage masks.
#include "Text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>
#include <vector>

namespace datagen {

struct Font::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

static std::vector<char32_t> decodeUtf8(const std::string& s)
{
    std::vector<char32_t> out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        char32_t cp = extra == 0 ? c : char32_t(c & (0x3F >> extra));
        for (int k = 1; k <= extra && i + size_t(k) < s.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + size_t(k)]) & 0x3F);
        out.push_back(cp);
        i += size_t(extra) + 1;
    }
    return out;
}

Font::Font(const std::string& path) : impl(std::make_unique<Impl>())
{
    if (FT_Init_FreeType(&impl->library) != 0) throw std::runtime_error("FreeType does not start");
    if (FT_New_Face(impl->library, path.c_str(), 0, &impl->face) != 0) {
        FT_Done_FreeType(impl->library);
        throw std::runtime_error("cannot load font " + path);
    }
}

Font::~Font()
{
    FT_Done_Face(impl->face);
    FT_Done_FreeType(impl->library);
}

static void prepare(FT_Face face, int pixelSize, float shear)
{
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelSize));
    FT_Matrix matrix = {0x10000, FT_Fixed(shear * 0x10000), 0, 0x10000};
    FT_Set_Transform(face, &matrix, nullptr);
}

int Font::capHeight(int pixelSize) const
{
    prepare(impl->face, pixelSize, 0);
    if (FT_Load_Char(impl->face, 'H', FT_LOAD_DEFAULT) != 0) return pixelSize * 7 / 10;
    return int(impl->face->glyph->metrics.horiBearingY >> 6);
}

int Font::measure(const std::string& text, int pixelSize, int tracking, float shear) const
{
    prepare(impl->face, pixelSize, shear);
    long pen = 0;
    FT_UInt previous = 0;
    auto chars = decodeUtf8(text);
    for (size_t i = 0; i < chars.size(); ++i) {
        FT_UInt index = FT_Get_Char_Index(impl->face, chars[i]);
        if (previous && index && FT_HAS_KERNING(impl->face)) {
            FT_Vector kern;
            FT_Get_Kerning(impl->face, previous, index, FT_KERNING_DEFAULT, &kern);
            pen += kern.x;
        }
        if (FT_Load_Glyph(impl->face, index, FT_LOAD_DEFAULT) != 0) continue;
        pen += impl->face->glyph->advance.x + (i + 1 < chars.size() ? tracking * 64 : 0);
        previous = index;
    }
    return int((pen + 63) >> 6);
}

void Font::draw(Mask& mask, const std::string& text, int x, int baseline, int pixelSize, int tracking,
                float shear) const
{
    prepare(impl->face, pixelSize, shear);
    long pen = long(x) * 64;
    FT_UInt previous = 0;
    for (char32_t cp : decodeUtf8(text)) {
        FT_UInt index = FT_Get_Char_Index(impl->face, cp);
        if (previous && index && FT_HAS_KERNING(impl->face)) {
            FT_Vector kern;
            FT_Get_Kerning(impl->face, previous, index, FT_KERNING_DEFAULT, &kern);
            pen += kern.x;
        }
        if (FT_Load_Glyph(impl->face, index, FT_LOAD_RENDER) != 0) continue;
        FT_GlyphSlot g = impl->face->glyph;
        int left = int((pen + 32) >> 6) + g->bitmap_left, top = baseline - g->bitmap_top;
        for (unsigned row = 0; row < g->bitmap.rows; ++row)
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                unsigned char v = g->bitmap.buffer[size_t(row) * size_t(g->bitmap.pitch) + col];
                if (v) mask.add(left + int(col), top + int(row), float(v) / 255.0f);
            }
        pen += g->advance.x + tracking * 64;
        previous = index;
    }
}

}  // namespace datagen
