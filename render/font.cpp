// font.cpp: the two bitmap fonts as display lists of glyph bitmaps, formatted text in the
// overlay, and the menu's cursor mark.
#include "render/font.h"

#include <GL/gl.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <thread>

#include "core/screen.h"

namespace {

u32 fontListBase[2];  // the first of each font's 96 glyph lists; 0 while there are none

bool glyphsPending = false;  // lists reserved by createFonts, glyphs not made yet
i32 screenPixelsHigh = SCREEN_HEIGHT;  // the glyphs' sizes are for a screen this high

// The face file, looked up on a thread of its own while the game starts: fontconfig
// reads its whole configuration and cache first, which takes longer than the window's
// first picture. Written only by that thread, read only after it has been joined.
struct FaceLookup {
    char path[4096];
    int index;
    bool found;
};
FaceLookup faceLookup;
// Joined at the latest when the program ends, even one that never deletes its fonts.
struct LookupThread {
    std::thread thread;
    ~LookupThread() {
        if (thread.joinable()) thread.join();
    }
};
LookupThread faceLookupThread;

constexpr i32 FIRST_CODE = 32;
constexpr i32 LAST_CODE = 127;
constexpr i32 GLYPH_COUNT = LAST_CODE - FIRST_CODE + 1;
constexpr i32 TEXT_BUFFER_SIZE = 256;

struct FontSize {
    u32 pixels;      // em height without internal leading
    FT_Int32 load;   // hinting that gives the most even 1-bit stems at this size
};

// At 15 px the face's own hints make some capitals 2 px and the rest 1 px wide; the
// auto-hinter keeps every stem at 1 px. At 25 px the face's hints give even 2-px stems
// where the auto-hinter mixes 1 and 2.
constexpr FontSize FONT_SIZES[2] = {
    {15, FT_LOAD_TARGET_MONO | FT_LOAD_FORCE_AUTOHINT},
    {25, FT_LOAD_TARGET_MONO},
};

// Largest glyph bitmap a list can take; far above anything the large font draws even
// on a screen 4320 pixels high.
constexpr i32 MAX_GLYPH_SIDE = 512;

// The face file "Arial" resolves to, with its index in the file. Only scalable,
// proportional faces will do: the lists are rendered from outlines at two sizes.
bool findFaceFile(char* path, size_t pathSize, int* index) {
    if (!FcInit()) return false;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return false;
    // sans-serif behind Arial keeps the fallback a sans face when no Arial metric clone exists.
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("Arial"));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return false;

    bool usable = false;
    FcChar8* file = nullptr;
    FcBool scalable = FcFalse;
    FcBool outline = FcFalse;
    int spacing = FC_PROPORTIONAL;
    FcPatternGetInteger(match, FC_SPACING, 0, &spacing);
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
        FcPatternGetBool(match, FC_SCALABLE, 0, &scalable) == FcResultMatch && scalable &&
        FcPatternGetBool(match, FC_OUTLINE, 0, &outline) == FcResultMatch && outline &&
        spacing == FC_PROPORTIONAL && std::strlen(reinterpret_cast<const char*>(file)) < pathSize) {
        std::strcpy(path, reinterpret_cast<const char*>(file));
        *index = 0;
        FcPatternGetInteger(match, FC_INDEX, 0, index);
        usable = true;
    }
    FcPatternDestroy(match);
    return usable;
}

// Compiles the 96 glyph lists of one size. The rows are flipped because FreeType
// renders the top row first and glBitmap reads the bottom row first.
void buildGlyphLists(FT_Face face, const FontSize& size, u32 base) {
    const u32 pixels = static_cast<u32>((i64(size.pixels) * screenPixelsHigh + SCREEN_HEIGHT / 2) / SCREEN_HEIGHT);
    if (FT_Set_Pixel_Sizes(face, 0, pixels > 0 ? pixels : 1) != 0) return;
    static unsigned char bits[MAX_GLYPH_SIDE * (MAX_GLYPH_SIDE / 8)];  // 32 KiB: off the stack
    for (i32 code = FIRST_CODE; code <= LAST_CODE; ++code) {
        glNewList(base + static_cast<u32>(code - FIRST_CODE), GL_COMPILE);
        f32 advance = 0.0f;
        bool drawn = false;
        if (FT_Load_Glyph(face, FT_Get_Char_Index(face, static_cast<FT_ULong>(code)), size.load) == 0) {
            FT_GlyphSlot slot = face->glyph;
            // Whole pixels, so a text's glyphs keep the same spacing wherever it starts.
            advance = static_cast<f32>((slot->advance.x + 32) >> 6);
            const bool hasShape = slot->format != FT_GLYPH_FORMAT_OUTLINE || slot->outline.n_points > 0;
            // DEL has no shape of its own, only the face's missing-glyph box: it just advances.
            if (code != LAST_CODE && hasShape && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) == 0) {
                const FT_Bitmap& bitmap = slot->bitmap;
                const i32 w = static_cast<i32>(bitmap.width);
                const i32 h = static_cast<i32>(bitmap.rows);
                const i32 stride = (w + 7) / 8;
                if (w > 0 && h > 0 && w <= MAX_GLYPH_SIDE && h <= MAX_GLYPH_SIDE &&
                    bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                    for (i32 row = 0; row < h; ++row) {
                        std::memcpy(&bits[(h - 1 - row) * stride], bitmap.buffer + row * bitmap.pitch,
                                    static_cast<size_t>(stride));
                    }
                    glBitmap(w, h, static_cast<f32>(-slot->bitmap_left), static_cast<f32>(h - slot->bitmap_top),
                             advance, 0.0f, bits);
                    drawn = true;
                }
            }
        }
        if (!drawn) {
            // An empty glBitmap compiled into a list loses its move on Mesa, so the pen is
            // moved by one blank pixel instead.
            static const unsigned char blank[1] = {0};
            glBitmap(1, 1, 0.0f, 0.0f, advance, 0.0f, blank);
        }
        glEndList();
    }
}

void lookUpFace() {
    faceLookup.index = 0;
    faceLookup.found = findFaceFile(faceLookup.path, sizeof(faceLookup.path), &faceLookup.index);
}

void finishFaceLookup() {
    if (faceLookupThread.thread.joinable()) faceLookupThread.thread.join();
}

}  // namespace

void createFonts() {
    finishFaceLookup();
    fontListBase[0] = glGenLists(GLYPH_COUNT);
    fontListBase[1] = glGenLists(GLYPH_COUNT);
    // The glyphs are made for the first text that is printed, and the face is looked up
    // meanwhile: neither holds up the window's first picture, which has no text.
    glyphsPending = fontListBase[0] != 0 || fontListBase[1] != 0;
    if (!glyphsPending) return;
    try {
        faceLookupThread.thread = std::thread(lookUpFace);
    } catch (const std::system_error&) {
        lookUpFace();  // no thread to be had: look it up now
    }
}

void buildFontGlyphs() {
    if (!glyphsPending) return;
    glyphsPending = false;
    finishFaceLookup();

    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (!faceLookup.found || FT_Init_FreeType(&library) != 0 ||
        FT_New_Face(library, faceLookup.path, faceLookup.index, &face) != 0) {
        static bool told = false;
        if (!told) std::fprintf(stderr, "No scalable sans-serif face for \"Arial\": texts are not drawn.\n");
        told = true;
        if (library) FT_Done_FreeType(library);
        return;
    }

    // Bitmap data is copied into the list when it is compiled, unpacked with the pixel-store
    // state of that moment: tightly packed rows, most significant bit first.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    for (i32 font = 0; font < 2; ++font) {
        if (fontListBase[font] != 0) buildGlyphLists(face, FONT_SIZES[font], fontListBase[font]);
    }
    glPopClientAttrib();

    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

void setFontScale(i32 pixelsHigh) {
    if (pixelsHigh < 1) pixelsHigh = 1;
    if (pixelsHigh == screenPixelsHigh) return;
    screenPixelsHigh = pixelsHigh;
    glyphsPending = fontListBase[0] != 0 || fontListBase[1] != 0;
}

void deleteFonts() {
    for (u32& base : fontListBase) {
        if (base != 0) glDeleteLists(base, GLYPH_COUNT);
        base = 0;
    }
    glyphsPending = false;
    finishFaceLookup();
}

void printText(i32 font, f32 x, f32 y, const char* format, ...) {
    if (!format || font < 0 || font > 1 || fontListBase[font] == 0) return;
    buildFontGlyphs();
    char text[TEXT_BUFFER_SIZE];
    va_list values;
    va_start(values, format);
    const int formatted = std::vsnprintf(text, sizeof(text), format, values);
    va_end(values);
    if (formatted < 0) return;

    // Codes without a glyph are dropped: a list number outside the font's 96 would call
    // the other font's lists or nothing at all. What remains becomes a list offset 0..95,
    // so the base never has to wrap below zero.
    unsigned char offsets[TEXT_BUFFER_SIZE];
    GLsizei count = 0;
    for (const char* p = text; *p; ++p) {
        const unsigned char code = static_cast<unsigned char>(*p);
        if (code >= FIRST_CODE && code <= LAST_CODE) offsets[count++] = static_cast<unsigned char>(code - FIRST_CODE);
    }

    // Texts show in the current colour alone: with a texture bound, Mesa would tint the
    // glyphs per pixel with whatever picture the scene used last. Both states are saved by
    // hand: the first glPushAttrib of a context makes Mesa keep a 2.6 MB copy of the state.
    GLint listBase = 0;
    glGetIntegerv(GL_LIST_BASE, &listBase);
    const GLboolean textured = glIsEnabled(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_2D);
    glListBase(fontListBase[font]);
    glRasterPos2f(x, y);
    if (count > 0) glCallLists(count, GL_UNSIGNED_BYTE, offsets);
    glListBase(static_cast<GLuint>(listBase));
    if (textured) glEnable(GL_TEXTURE_2D);
}

namespace {
// The mark is an "x" in the large font, from 4 left of the pointer, 4 below it.
constexpr i32 MARK_LEFT = -4;
constexpr i32 MARK_DOWN = 4;
}  // namespace

void drawCursorMark(bool shown, i32 pointerX, i32 pointerY) {
    // Nothing stays bound when the picture is done.
    glBindTexture(GL_TEXTURE_2D, 0);
    if (!shown) return;
    printText(1, static_cast<f32>(pointerX + MARK_LEFT), static_cast<f32>(pointerY + MARK_DOWN), "x");
}

ScreenBox cursorMarkBox(i32 pointerX, i32 pointerY) {
    // The large font's "x" reaches at most 28 pixels above its origin and 10 below, and 28 to
    // its right; 8 to the left for the glyph's bearing.
    const f32 x = static_cast<f32>(pointerX + MARK_LEFT);
    const f32 y = static_cast<f32>(pointerY + MARK_DOWN);
    return {x - 8.0f, y - 28.0f, x + 28.0f, y + 10.0f};
}
