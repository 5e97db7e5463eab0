// scaling_test.cpp: a larger window shows the same picture, scaled, with black bars
// where the window is not 4:3.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/frame_step.h"
#include "app/window.h"
#include "core/version.h"
#include "game/game.h"
#include "media/textures.h"
#include "render/frame.h"
#include "support/globals.h"
#include "ui/menu.h"

namespace {

// The game's picture with its own textures: a pattern, three balls, the HUD and the menu.
std::vector<unsigned char> picture(int width, int height) {
    resetGlobals();
    EXPECT_TRUE(createGameWindow(FENDWALL_WINDOW_TITLE, width, height, 16, false));
    loadTextures();
    initGlState();
    gRender.introActive = false;
    gGame.playfield.clear();
    gGame.playfield.loadPattern("data/fend.dat");
    gGame.session.start();
    gGame.balls.count = 3;
    const Ball balls[3] = {{8.0f, 9.0f, 0.25f, 0.25f}, {20.0f, 6.0f, -0.25f, 0.25f}, {14.0f, 22.0f, 0.25f, -0.25f}};
    for (int i = 0; i < 3; ++i) gGame.balls.balls[i] = balls[i];
    gUi.menu.open();
    gFrameClock.framesPerSecond = 33.0f;
    drawFrame();
    glFinish();
    std::vector<unsigned char> px(size_t(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, px.data());  // bottom row first
    destroyGameWindow();
    return px;
}

int channel(const std::vector<unsigned char>& px, int width, int x, int y, int c) {
    return px[(size_t(y) * width + x) * 3 + c];
}

TEST(ScalingGl, TwiceTheWindowShowsThePictureScaledAndAWideOneAddsBlackBars) {
    const std::vector<unsigned char> small = picture(640, 480);
    const std::vector<unsigned char> large = picture(1280, 960);
    // Each small pixel against the mean of its 2 x 2 block: only edges may differ much.
    int differing = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            for (int c = 0; c < 3; ++c) {
                const int mean = (channel(large, 1280, 2 * x, 2 * y, c) + channel(large, 1280, 2 * x + 1, 2 * y, c) +
                                  channel(large, 1280, 2 * x, 2 * y + 1, c) +
                                  channel(large, 1280, 2 * x + 1, 2 * y + 1, c)) / 4;
                if (std::abs(mean - channel(small, 640, x, y, c)) > 64) {
                    ++differing;
                    break;
                }
            }
        }
    }
    EXPECT_LT(differing, 640 * 480 / 100) << "more than edges differ";
    // The texts are made at twice the size, not drawn small in the top left.
    auto green = [](const std::vector<unsigned char>& px, int width, int height, int right, int bottom) {
        int n = 0;
        for (int y = height - bottom; y < height; ++y) {
            for (int x = 0; x < right; ++x) {
                n += channel(px, width, x, y, 1) > 200 && channel(px, width, x, y, 0) < 60 && channel(px, width, x, y, 2) < 60;
            }
        }
        return n;
    };
    const int smallText = green(small, 640, 480, 420, 36);
    EXPECT_GT(smallText, 100);
    EXPECT_GT(green(large, 1280, 960, 840, 72), 3 * smallText) << "lives, level and score at twice the size";

    // 1400 x 700: the screen is 933 x 700 at x = 233; the bars stay black.
    const std::vector<unsigned char> wide = picture(1400, 700);
    long barInk = 0;
    for (int y = 0; y < 700; ++y) {
        for (int x : {0, 100, 232, 1167, 1300, 1399}) {
            for (int c = 0; c < 3; ++c) barInk += channel(wide, 1400, x, y, c);
        }
    }
    EXPECT_EQ(barInk, 0) << "the bars are black";
    long screenInk = 0;
    for (int x = 240; x < 1160; ++x) screenInk += channel(wide, 1400, x, 100, 1);
    EXPECT_GT(screenInk, 0) << "the screen between them is drawn";
}

}  // namespace
