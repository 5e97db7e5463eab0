// gl_context.h: a real Mesa GL context in an offscreen SDL window, made the way the game
// makes its window, and pixel read-back in overlay coordinates (origin top left).
#pragma once
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/window.h"
#include "support/globals.h"

class GlTest : public ::testing::Test {
protected:
    static constexpr int W = 640;
    static constexpr int H = 480;

    void SetUp() override {
        resetGlobals();
        ASSERT_TRUE(createGameWindow("FENDWALL - V 0.9.3", W, H, 16, false));
        initGlState();
    }
    void TearDown() override { destroyGameWindow(); }

    // The back buffer as RGB bytes, rows from the top of the screen.
    std::vector<unsigned char> grab() const {
        std::vector<unsigned char> bottomUp(W * H * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, W, H, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
        std::vector<unsigned char> topDown(bottomUp.size());
        for (int y = 0; y < H; ++y) {
            std::copy_n(&bottomUp[(H - 1 - y) * W * 3], W * 3, &topDown[y * W * 3]);
        }
        return topDown;
    }

    static std::array<int, 3> at(const std::vector<unsigned char>& px, int x, int y) {
        const unsigned char* p = &px[(y * W + x) * 3];
        return {p[0], p[1], p[2]};
    }

    // Writes a grab as a binary PPM, for looking at a failure.
    static void save(const std::vector<unsigned char>& px, const std::string& path) {
        if (FILE* f = std::fopen(path.c_str(), "wb")) {
            std::fprintf(f, "P6\n%d %d\n255\n", W, H);
            std::fwrite(px.data(), 1, px.size(), f);
            std::fclose(f);
        }
    }
};
