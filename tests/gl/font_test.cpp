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
    int width() const { return maxX - minX + 1; }
    int height() const { return maxY - minY + 1; }
};

class FontGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        beginOverlay();
        glDisable(GL_TEXTURE_2D);
        clear();
    }
    static void clear() {
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
    }
    static Ink ink(const Pixels& px, int x0 = 0, int y0 = 0, int x1 = W, int y1 = H) {
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

TEST_F(FontGl, TextStandsUprightOnItsBaselineInTwoSizesAndUnknownCodesDrawNothing) {
    printText(0, 100, 100, "T");
    printText(0, 100, 200, "WWW");
    printText(1, 100, 400, "WWW");
    const Pixels sizes = grab();
    const Ink smallT = ink(sizes, 0, 0, W, 150), small = ink(sizes, 0, 150, W, 250), large = ink(sizes, 0, 250, W, H);
    EXPECT_TRUE(smallT.height() >= 9 && smallT.height() <= 12 && small.width() >= 36 && small.width() <= 48)
        << "15-pixel font: " << smallT.height() << " high, " << small.width() << " wide";
    EXPECT_TRUE(large.height() >= 15 && large.height() <= 20 && large.width() >= 68 && large.width() <= 88)
        << "25-pixel font: " << large.height() << " high, " << large.width() << " wide";
    clear();
    printText(1, 300, 300, "T");
    const Pixels px = grab();
    const Ink t = ink(px);
    EXPECT_EQ(t.maxY, 299) << "no descender: the ink ends just above the baseline";
    EXPECT_TRUE(ink(px, 0, t.minY, W, t.minY + 1).count >= 10 && ink(px, 0, t.maxY, W, t.maxY + 1).count <= 3) << "the bar on top";

    clear();  // codes without a glyph and fonts that do not exist draw nothing
    printText(2, 100, 100, "W");
    printText(-1, 100, 100, "W");
    printText(0, 100, 300, "\x01\x80\xff\x1f");
    EXPECT_EQ(ink(grab()).count, 0);
    printText(0, 20, 50, "AB");
    const Pixels plain = grab();
    clear();
    printText(0, 20, 50, "\x80" "A\x01\x1f\xa0" "B\xff");
    EXPECT_EQ(grab(), plain);
}

}  // namespace
