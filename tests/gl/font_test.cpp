// font_test.cpp: the glyph lists of both fonts drawn into the overlay, read back pixel by pixel.
#include "render/font.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gl/gl_context.h"

namespace {

// The lit pixels of a picture (or a box of it) and their bounding box.
struct Ink {
    int count = 0, minX = 1 << 20, minY = 1 << 20, maxX = -1, maxY = -1;
};

class FontGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_TEXTURE_2D);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 640, 480, 0, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        clear();
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
                if (at(px, x, y) == Rgb{0, 0, 0}) continue;
                ++k.count;
                k.minX = std::min(k.minX, x), k.maxX = std::max(k.maxX, x);
                k.minY = std::min(k.minY, y), k.maxY = std::max(k.maxY, y);
            }
        }
        return k;
    }
};

TEST_F(FontGl, TextStandsUprightOnItsBaseline) {
    printText(1, 300, 300, "T");
    const auto px = grab();
    const Ink t = ink(px);
    EXPECT_EQ(t.maxY, 299) << "no descender: the ink ends just above the baseline";
    EXPECT_GE(ink(px, 0, t.minY, W, t.minY + 1).count, 12) << "the bar of the T on top";
    EXPECT_LE(ink(px, 0, t.maxY, W, t.maxY + 1).count, 3);
}

TEST_F(FontGl, TextIgnoresTheTextureTheSceneLeftBound) {
    const unsigned char checker[4 * 3] = {255, 0, 0, 0, 0, 255, 0, 0, 255, 255, 0, 0};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, checker);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glEnable(GL_TEXTURE_2D);
    glTexCoord2f(0.3f, 0.7f);
    glColor3f(0, 1, 0);
    printText(1, 10, 29, "score %0.0f", 1234.0);
    const auto px = grab();
    int green = 0, other = 0;
    for (int i = 0; i < W * H; ++i) {
        const Rgb c = at(px, i % W, i / W);
        (c == Rgb{0, 255, 0} ? green : other) += c != Rgb{0, 0, 0};
    }
    EXPECT_GT(green, 50);
    EXPECT_EQ(other, 0) << "tinted by the bound texture";
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "the caller's state is restored";
    glDeleteTextures(1, &texture);
}

TEST_F(FontGl, NothingIsDrawnForEmptyTextsBadFontsOrAStartOutsideTheView) {
    const char* volatile noFormat = nullptr;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"  // a null format on purpose
    printText(1, 100, 100, noFormat);
#pragma GCC diagnostic pop
    printText(1, 100, 100, "%s", "");
    printText(2, 100, 100, "W");
    printText(-1, 100, 100, "W");
    printText(1, -5, 100, "WWW");  // starts just outside: the whole text is dropped
    printText(1, 100, 485, "WWW");
    printText(0, 100, 300, "\x01\x80\xff\x1f");
    EXPECT_EQ(ink(grab()).count, 0);

    printText(1, 630, 100, "WWW");  // a text that starts inside is clipped at the edge pixel
    const Ink k = ink(grab());
    EXPECT_GT(k.count, 0);
    EXPECT_EQ(k.maxX, 639);
}

TEST_F(FontGl, CodesOutside32To127AreDroppedTheListBaseKeptAndTextsCutAt255) {
    glListBase(7);
    printText(0, 20, 50, "AB");
    const auto plain = grab();
    GLint base = 0;
    glGetIntegerv(GL_LIST_BASE, &base);
    EXPECT_EQ(base, 7);
    clear();
    printText(0, 20, 50, "\x80" "A\x01\x1f\xa0" "B\xff");
    EXPECT_EQ(grab(), plain);

    // 250 dropped bytes, then W: exactly five W fit in the 255 characters.
    clear();
    printText(0, 10, 20, "%s", (std::string(250, '\x01') + std::string(750, 'W')).c_str());
    const auto cut = grab();
    clear();
    printText(0, 10, 20, "WWWWW");
    EXPECT_GT(ink(cut).count, 0);
    EXPECT_EQ(cut, grab());
}

}  // namespace

namespace {

// The face is looked up on a thread while the game starts and the glyphs come with the first
// text: fonts deleted before that (a window closed during the intro) must leave nothing
// running or half made, and fonts made again must draw.
TEST_F(FontGl, FontsDeletedBeforeTheirFirstTextCanBeMadeAgainAndDraw) {
    const Ink before = [] {
        printText(0, 100, 100, "lives 3");
        return ink(grab());
    }();
    ASSERT_GT(before.count, 0);
    for (int i = 0; i < 3; ++i) {
        deleteFonts();
        createFonts();
    }
    clear();
    printText(0, 100, 100, "lives 3");
    const Ink after = ink(grab());
    EXPECT_EQ(after.count, before.count);
    EXPECT_EQ(after.minX, before.minX);
    EXPECT_EQ(after.maxY, before.maxY);
}

}  // namespace
