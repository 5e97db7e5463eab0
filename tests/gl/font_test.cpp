// font_test.cpp: the glyph lists of both fonts drawn into the overlay, read back pixel by pixel.
#include "render/font.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "gl/gl_context.h"

namespace {

// The ink of a picture: lit pixels and their bounding box in overlay coordinates.
struct Ink {
    int count = 0;
    int minX = 1 << 20, minY = 1 << 20, maxX = -1, maxY = -1;
    int width() const { return maxX - minX + 1; }
    int height() const { return maxY - minY + 1; }
};

class FontGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_TEXTURE_2D);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0, 640, 480, 0, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        clear();
    }
    void TearDown() override {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        GlTest::TearDown();
    }
    static void clear() {
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
    }
    static Ink ink(const std::vector<unsigned char>& px, int x0 = 0, int y0 = 0, int x1 = W, int y1 = H) {
        Ink k;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const auto c = at(px, x, y);
                if (c[0] == 0 && c[1] == 0 && c[2] == 0) continue;
                ++k.count;
                k.minX = std::min(k.minX, x), k.maxX = std::max(k.maxX, x);
                k.minY = std::min(k.minY, y), k.maxY = std::max(k.maxY, y);
            }
        }
        return k;
    }
};

TEST_F(FontGl, HudTextStandsOnItsBaselineInTheCurrentColour) {
    glColor3f(0, 1, 0);
    printText(1, 10, 29, "lives %0.0f", 3.0);
    const auto px = grab();
    const Ink k = ink(px);
    ASSERT_GT(k.count, 50);
    int notGreen = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const auto c = at(px, x, y);
            notGreen += (c[0] != 0 || c[2] != 0) ? 1 : 0;
        }
    }
    EXPECT_EQ(notGreen, 0);
    // No descenders: the ink sits on the baseline, and the letters begin at the start point.
    EXPECT_GE(k.minX, 10);
    EXPECT_LE(k.minX, 13);
    EXPECT_EQ(k.maxY, 28);
    EXPECT_GE(k.height(), 16);  // the ascender of 'l' at 25 px
    EXPECT_LE(k.height(), 20);

    // Upright, not mirrored: the bar of a T is its top row, the stem its bottom row.
    clear();
    printText(1, 300, 300, "T");
    const auto t = grab();
    const Ink tk = ink(t);
    EXPECT_GE(ink(t, 0, tk.minY, W, tk.minY + 1).count, 12);
    EXPECT_LE(ink(t, 0, tk.maxY, W, tk.maxY + 1).count, 3);
}

TEST_F(FontGl, TextIgnoresTheTextureTheSceneLeftBound) {
    // The HUD is printed while the scene's last picture is still bound and texturing is on.
    const unsigned char checker[4 * 3] = {255, 0, 0, 0, 0, 255, 0, 0, 255, 255, 0, 0};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, checker);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glEnable(GL_TEXTURE_2D);
    glTexCoord2f(0.3f, 0.7f);
    glColor3f(0, 1, 0);
    printText(1, 10, 29, "score %0.0f", 1234.0);
    const auto px = grab();
    int green = 0, other = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 300; ++x) {
            const auto c = at(px, x, y);
            if (c[0] == 0 && c[1] == 0 && c[2] == 0) continue;
            (c[0] == 0 && c[1] == 255 && c[2] == 0 ? green : other) += 1;
        }
    }
    EXPECT_GT(green, 50);
    EXPECT_EQ(other, 0);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "the caller's state is restored";
    glDisable(GL_TEXTURE_2D);
    glDeleteTextures(1, &texture);
}

TEST_F(FontGl, LargeFontIsTallerAndWiderThanSmall) {
    printText(0, 10, 100, "lives 3");
    printText(1, 10, 200, "lives 3");
    const auto px = grab();
    const Ink small = ink(px, 0, 0, W, 150);
    const Ink large = ink(px, 0, 150, W, H);
    EXPECT_EQ(small.maxY, 99);
    EXPECT_EQ(large.maxY, 199);
    // Both scale with the em: 15 against 25 pixels.
    EXPECT_GE(large.height() * 15, small.height() * 25 - 30);
    EXPECT_LE(large.height() * 15, small.height() * 25 + 30);
    EXPECT_GT(large.width(), small.width() * 3 / 2);
}

TEST_F(FontGl, NothingIsDrawnForEmptyTextsBadFontsOrAStartOutsideTheView) {
    const char* volatile noFormat = nullptr;
    printText(1, 100, 100, noFormat);
    printText(1, 100, 100, "%s", "");
    printText(2, 100, 100, "W");
    printText(-1, 100, 100, "W");
    // Starts just outside; the glyphs would reach into the view but the whole text is dropped.
    printText(1, -5, 100, "WWW");
    printText(1, 100, 485, "WWW");
    printText(0, 100, 300, "\x01\x80\xff\x1f");
    EXPECT_EQ(ink(grab()).count, 0);

    // Once the fonts are gone (twice over), texts draw nothing and the lists are free.
    const u32 base = fontListBase[0];
    deleteFonts();
    deleteFonts();
    EXPECT_FALSE(glIsList(base));
    printText(0, 100, 100, "W");
    EXPECT_EQ(ink(grab()).count, 0);
    createFonts();

    // A text that starts inside is clipped at the edge pixel by pixel.
    printText(1, 630, 100, "WWW");
    const Ink k = ink(grab());
    EXPECT_GT(k.count, 0);
    EXPECT_EQ(k.maxX, 639);
}

TEST_F(FontGl, ListBaseIsKeptAndCodesWithoutGlyphsAreDropped) {
    glListBase(7);
    printText(0, 20, 50, "AB");
    const auto plain = grab();
    GLint base = 0;
    glGetIntegerv(GL_LIST_BASE, &base);
    EXPECT_EQ(base, 7);

    clear();
    printText(0, 20, 50, "\x80" "A\x01\x1f\xa0" "B\xff");
    EXPECT_EQ(grab(), plain);
}

TEST_F(FontGl, LongTextIsCutAt255Characters) {
    // 250 dropped bytes then 750 W: exactly five W fit in the 255 characters.
    const std::string text = std::string(250, '\x01') + std::string(750, 'W');
    printText(0, 10, 20, "%s", text.c_str());
    const auto cut = grab();
    clear();
    printText(0, 10, 20, "WWWWW");
    const auto five = grab();
    EXPECT_GT(ink(five).count, 0);
    EXPECT_EQ(cut, five);
}

// Every code in its own 40 x 40 cell: font 0 in rows 0-5, font 1 in rows 6-11.
TEST_F(FontGl, EveryPrintableCharacterHasAGlyphSpaceAndDelOnlyAdvance) {
    for (int font = 0; font < 2; ++font) {
        for (int code = 32; code < 128; ++code) {
            const int cell = code - 32 + font * 96;
            printText(font, (cell % 16) * 40 + 8.0f, (cell / 16) * 40 + 31.0f, "%c", code);
        }
    }
    const auto px = grab();
    for (int font = 0; font < 2; ++font) {
        int withInk = 0;
        for (int code = 32; code < 128; ++code) {
            const int cell = code - 32 + font * 96;
            const int x = (cell % 16) * 40, y = (cell / 16) * 40;
            const bool lit = ink(px, x, y, x + 40, y + 40).count > 0;
            withInk += lit ? 1 : 0;
            EXPECT_EQ(lit, code != 32 && code != 127) << "font " << font << " code " << code;
        }
        EXPECT_EQ(withInk, 94);
    }
    // Space and DEL move the pen: what follows either starts further right.
    clear();
    printText(1, 100, 100, "|");
    const int bar = ink(grab()).minX;
    for (const char* prefix : {" ", "\x7f"}) {
        clear();
        printText(1, 100, 100, "%s|", prefix);
        EXPECT_GE(ink(grab()).minX, bar + 5) << static_cast<int>(prefix[0]);
    }
}

TEST_F(FontGl, CursorMarkIsTheLargeXBelowLeftOfTheMouseInTheMenuOnly) {
    gInput.mouseX = 300;
    gInput.mouseY = 200;
    gInput.showMenuCursor = 0;
    drawCursorMark();
    EXPECT_EQ(ink(grab()).count, 0);

    gInput.showMenuCursor = 1;
    drawCursorMark();
    const Ink mark = ink(grab());
    EXPECT_GE(mark.minX, 296);
    EXPECT_LE(mark.maxX, 296 + 15);
    EXPECT_EQ(mark.maxY, 203);
    EXPECT_GE(mark.height(), 10);  // the x-height at 25 px

    // Less than 4 pixels from the left or bottom edge, the mark's start is outside.
    clear();
    gInput.mouseX = 2;
    gInput.mouseY = 240;
    drawCursorMark();
    gInput.mouseX = 300;
    gInput.mouseY = 477;
    drawCursorMark();
    EXPECT_EQ(ink(grab()).count, 0);
}

// The heads-up line as the game lays it out must not run its texts into each other.
// FENDWALL_FONT_SHEET=path.ppm keeps the picture, with the full character set, for a look.
TEST_F(FontGl, HeadsUpTextsKeepApartAndTheSheetRenders) {
    glColor3f(0, 1, 0);
    printText(0, 560, 20, "FPS: %0.1f", 33.0);
    printText(1, 10, 29, "lives %0.0f", 3.0);
    printText(1, 200, 29, "score %0.0f", 1234567.0);
    printText(1, 100, 29, "level %0.0f", 12.0);
    const auto hud = grab();
    EXPECT_LT(ink(hud, 0, 0, 100, 40).maxX, 98);
    EXPECT_LT(ink(hud, 100, 0, 200, 40).maxX, 198);
    EXPECT_GT(ink(hud, 200, 0, 560, 40).count, 0);
    EXPECT_LE(ink(hud, 560, 0, W, 40).maxX, 639);

    if (const char* path = std::getenv("FENDWALL_FONT_SHEET")) {
        glColor3f(1, 1, 1);
        std::string set;
        for (int c = 32; c < 127; ++c) set += static_cast<char>(c);
        printText(0, 5, 80, "%s", set.substr(0, 48).c_str());
        printText(0, 5, 100, "%s", set.substr(48).c_str());
        printText(1, 5, 140, "%s", set.substr(0, 32).c_str());
        printText(1, 5, 170, "%s", set.substr(32, 32).c_str());
        printText(1, 5, 200, "%s", set.substr(64).c_str());
        printText(1, 300, 240, "Level %0.0f Complete", 1.0);
        printText(1, 300, 280, "GAME OVER :-(");
        printText(0, 20, 320, "FEHLER: Zuviele Fenster offen");
        printText(1, 300, 400, "Fendwall V.0.9.1");
        gInput.mouseX = 200;
        gInput.mouseY = 400;
        gInput.showMenuCursor = 1;
        drawCursorMark();
        save(grab(), path);
    }
}

}  // namespace
