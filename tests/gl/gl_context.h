// gl_context.h: a Mesa context in an offscreen window made as the game makes it; read-back.
#pragma once
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "core/version.h"
#include "app/window.h"
#include "core/input.h"
#include "render/frame.h"
#include "support/globals.h"

using Rgb = std::array<int, 3>;

class GlTest : public ::testing::Test {
protected:
    static constexpr int W = 640;
    static constexpr int H = 480;

    void SetUp() override {
        resetGlobals();
        ASSERT_TRUE(createGameWindow(FENDWALL_WINDOW_TITLE, W, H, 16, false));
        initGlState();
    }
    void TearDown() override { destroyGameWindow(); }

    // The back buffer as RGB bytes, rows from the top of the screen.
    static std::vector<unsigned char> grab() {
        glFinish();
        std::vector<unsigned char> bottomUp(W * H * 3), topDown(W * H * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, W, H, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
        for (int y = 0; y < H; ++y) std::copy_n(&bottomUp[(H - 1 - y) * W * 3], W * 3, &topDown[y * W * 3]);
        return topDown;
    }

    static Rgb at(const std::vector<unsigned char>& px, int x, int y) {
        const unsigned char* p = &px[(y * W + x) * 3];
        return {p[0], p[1], p[2]};
    }
};
