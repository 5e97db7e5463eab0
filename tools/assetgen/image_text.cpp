// image_text.cpp: FreeType lettering. Glyphs are rendered unhinted so that their shapes
// scale exactly with the (supersampled) size and do not depend on hinting settings.
#include "image_text.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

struct FontFace::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    float capRatio = 0.7f;  // capital height per em
};

FontFace::FontFace() : impl_(std::make_unique<Impl>()) {}

FontFace::~FontFace() {
    if (impl_->face) FT_Done_Face(impl_->face);
    if (impl_->library) FT_Done_FreeType(impl_->library);
}

bool FontFace::open(const char* family, const char* style) {
    std::string file;
    std::string foundFamily;
    if (FcInit()) {
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
        FcPatternAddString(pattern, FC_STYLE, reinterpret_cast<const FcChar8*>(style));
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        if (match) {
            FcChar8* value = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &value) == FcResultMatch)
                file = reinterpret_cast<const char*>(value);
            if (FcPatternGetString(match, FC_FAMILY, 0, &value) == FcResultMatch)
                foundFamily = reinterpret_cast<const char*>(value);
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
    }
    if (file.empty() || foundFamily != family) {
        std::fprintf(stderr, "assetgen: font \"%s\" %s not found (install fonts-liberation2)\n",
                     family, style);
        return false;
    }
    if (FT_Init_FreeType(&impl_->library) != 0 ||
        FT_New_Face(impl_->library, file.c_str(), 0, &impl_->face) != 0) {
        std::fprintf(stderr, "assetgen: cannot open font %s\n", file.c_str());
        return false;
    }
    // Capital height from the unhinted outline of "H" at a large size.
    FT_Set_Char_Size(impl_->face, 1000 * 64, 1000 * 64, 72, 72);
    if (FT_Load_Char(impl_->face, 'H', FT_LOAD_NO_HINTING) == 0)
        impl_->capRatio = static_cast<float>(impl_->face->glyph->metrics.horiBearingY) / 64000.0f;
    return true;
}

TextBlock FontFace::render(const std::string& text, float sizeX, float sizeY,
                           float tracking) const {
    TextBlock block;
    FT_Face face = impl_->face;
    if (!face) return block;
    FT_Set_Char_Size(face, std::lround(sizeX * 64.0f), std::lround(sizeY * 64.0f), 72, 72);
    block.capHeight = sizeY * impl_->capRatio;
    const long trackingFixed = std::lround(tracking * 64.0f);

    // Two passes over the glyphs: the first finds the ink box, the second draws into it.
    int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
    for (int pass = 0; pass < 2; ++pass) {
        long pen = 0;  // 26.6 fixed point
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (FT_Load_Char(face, static_cast<unsigned char>(text[i]),
                             FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0)
                continue;
            const FT_GlyphSlot g = face->glyph;
            const FT_Bitmap& bm = g->bitmap;
            const int x0 = static_cast<int>(pen >> 6) + g->bitmap_left;
            const int y0 = -g->bitmap_top;  // rows relative to the baseline, down positive
            if (bm.width > 0 && bm.rows > 0) {
                if (pass == 0) {
                    left = std::min(left, x0);
                    right = std::max(right, x0 + static_cast<int>(bm.width));
                    top = std::min(top, y0);
                    bottom = std::max(bottom, y0 + static_cast<int>(bm.rows));
                } else {
                    for (unsigned r = 0; r < bm.rows; ++r) {
                        const unsigned char* row = bm.buffer + static_cast<long>(r) * bm.pitch;
                        for (unsigned c = 0; c < bm.width; ++c) {
                            float& v = block.mask.ref(x0 - left + static_cast<int>(c),
                                                      y0 - top + static_cast<int>(r));
                            v = std::min(1.0f, v + static_cast<float>(row[c]) / 255.0f);
                        }
                    }
                }
            }
            pen += g->advance.x;
            if (i + 1 < text.size()) pen += trackingFixed;
        }
        if (pass == 0) {
            if (left > right) return block;  // nothing but blanks
            block.mask = Mask(right - left, bottom - top);
            block.baseline = -top;
        }
    }
    return block;
}

namespace {

TextBlock renderForDesign(const Painter& p, const FontFace& font, const std::string& text,
                          float capDesign, float trackingDesign, float widthScale) {
    // An em that gives the wanted capital height, in canvas pixels along each axis.
    const TextBlock probe = font.render("H", 100.0f, 100.0f, 0.0f);
    const float capRatio = probe.capHeight / 100.0f;
    const float em = capDesign / capRatio;
    return font.render(text, em * p.unitX() * widthScale, em * p.unitY(),
                       trackingDesign * p.unitX());
}

}  // namespace

void paintText(Painter& p, const FontFace& font, const std::string& text, float cx, float cy,
               float capDesign, float trackingDesign, float widthScale, const TextStyle& style) {
    const TextBlock block = renderForDesign(p, font, text, capDesign, trackingDesign, widthScale);
    const int left = static_cast<int>(std::lround(cx * p.unitX() - block.mask.width / 2.0f));
    const int top =
        static_cast<int>(std::lround(cy * p.unitY() + block.capHeight / 2.0f)) - block.baseline;
    // The rim is grown in canvas pixels; the smaller unit keeps it from getting too heavy
    // along the axis the texture squeezes.
    const int rim = static_cast<int>(std::lround(style.rimWidth * std::min(p.unitX(), p.unitY())));
    const Mask grown = rim > 0 ? dilate(block.mask, rim) : block.mask;
    const int grownLeft = left - (rim > 0 ? rim : 0);
    const int grownTop = top - (rim > 0 ? rim : 0);
    if (style.shadow.a > 0.0f) {
        p.paintMask(grown, grownLeft + static_cast<int>(std::lround(style.shadowX * p.unitX())),
                    grownTop + static_cast<int>(std::lround(style.shadowY * p.unitY())),
                    style.shadow);
    }
    if (rim > 0 && style.rim.a > 0.0f) p.paintMask(grown, grownLeft, grownTop, style.rim);
    p.paintMask(block.mask, left, top, style.colour);
}

float textWidth(const Painter& p, const FontFace& font, const std::string& text, float capDesign,
                float trackingDesign, float widthScale) {
    const TextBlock block = renderForDesign(p, font, text, capDesign, trackingDesign, widthScale);
    return static_cast<float>(block.mask.width) / p.unitX();
}
