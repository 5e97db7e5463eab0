// scaling_test.cpp: a larger window shows the same picture, scaled, with black bars
// where the window is not 4:3.
#include "app/phases.h"
#include "game/game.h"
#include "gl/gl_context.h"
#include "media/textures.h"
#include "ui/menu.h"

namespace {

class ScalingGl : public GlTest {
protected:
    void SetUp() override {}
    void TearDown() override {}
    // The menu over the title pattern, three balls and the HUD, in a window of that size.
    static Pixels picture(int width, int height) {
        resetGlobals();
        EXPECT_TRUE(createGameWindow(FENDWALL_WINDOW_TITLE, width, height, 16, false) && initGlState());
        loadTextures();
        gFlow.picture = Picture{};  // the game picture
        gGame.playfield.clear();
        gGame.playfield.loadPattern("data/fend.dat");
        (void)gGame.session.start(gGame.balls);
        gGame.balls.count = 3;
        gGame.balls.balls[0] = {8.0f, 9.0f, 0.25f, 0.25f};
        gGame.balls.balls[1] = {20.0f, 6.0f, -0.25f, 0.25f};
        gGame.balls.balls[2] = {14.0f, 22.0f, 0.25f, -0.25f};
        gUi.menu.open(gUi.manager);
        drawFrame();
        glDisable(GL_SCISSOR_TEST);  // the bars white, as an earlier, larger picture may leave them
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glEnable(GL_SCISSOR_TEST);
        drawFrame();
        Pixels px = grab(width, height);
        destroyGameWindow();
        return px;
    }
    static int value(const Pixels& px, int width, int x, int y, int c) { return px[(size_t(y) * width + x) * 3 + c]; }
    static int green(const Pixels& px, int width, int right, int bottom) {  // the HUD's pure green
        int n = 0;
        for (int i = 0; i < right * bottom; ++i) n += value(px, width, i % right, i / right, 1) > 200 && value(px, width, i % right, i / right, 0) < 60;
        return n;
    }
};

TEST_F(ScalingGl, TwiceTheWindowShowsThePictureScaledAndAWideOneAddsBlackBars) {
    const Pixels small = picture(640, 480), large = picture(1280, 960);
    int differing = 0;  // each small pixel against the mean of its 2 x 2 block: only edges differ
    for (int i = 0; i < 640 * 480 * 3; ++i) {
        const int x = i / 3 % 640, y = i / 3 / 640, c = i % 3;
        const int mean = (value(large, 1280, 2 * x, 2 * y, c) + value(large, 1280, 2 * x + 1, 2 * y, c) +
                          value(large, 1280, 2 * x, 2 * y + 1, c) + value(large, 1280, 2 * x + 1, 2 * y + 1, c)) / 4;
        differing += std::abs(mean - value(small, 640, x, y, c)) > 64;
    }
    EXPECT_LT(differing, 640 * 480 * 3 / 100) << "more than edges differ";
    EXPECT_GT(green(small, 640, 420, 36), 100);
    EXPECT_GT(green(large, 1280, 840, 72), 3 * green(small, 640, 420, 36)) << "texts made at twice the size";
    const Pixels tall = picture(640, 960);  // the screen is 640 x 480 at y = 240: texts as small
    EXPECT_NEAR(green(tall, 640, 640, 960), green(small, 640, 640, 480), green(small, 640, 420, 36) / 4);

    const Pixels wide = picture(1400, 700);  // the screen is 933 x 700 at x = 233
    long bars = 0;
    int off = 0;  // small pixels whose place in the wide screen shows something else
    for (int y = 0; y < 700; ++y) {
        for (int x : {0, 232, 1166, 1399}) bars += value(wide, 1400, x, y, 0) + value(wide, 1400, x, y, 1) + value(wide, 1400, x, y, 2);
    }
    for (int i = 0; i < 640 * 480; ++i) {
        const int x = i % 640, y = i / 640, wx = 233 + (2 * x + 1) * 933 / 1280, wy = (2 * y + 1) * 700 / 960;
        off += std::abs(value(wide, 1400, wx, wy, 1) - value(small, 640, x, y, 1)) > 64;
    }
    EXPECT_EQ(bars, 0) << "black bars, whatever was there before";
    EXPECT_LT(off, 640 * 480 * 3 / 100) << "the screen scaled into the middle";
}

}  // namespace
