// gl_context.h: the game's own window and Mesa context, offscreen; flat pictures; read-back.
#pragma once
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "app/frame_step.h"
#include "app/window.h"
#include "core/version.h"
#include "render/frame.h"
#include "support/globals.h"

using Rgb = std::array<int, 3>;
using Pixels = std::vector<unsigned char>;

class GlTest : public ::testing::Test {
protected:
    static constexpr int W = 640;
    static constexpr int H = 480;

    void SetUp() override {
        resetGlobals();
        ASSERT_TRUE(createGameWindow(FENDWALL_WINDOW_TITLE, W, H, 16, false) && initGlState());
    }
    void TearDown() override { destroyGameWindow(); }

    // The back buffer as RGB bytes, rows from the top of the screen.
    static Pixels grab(int w = W, int h = H) {
        glFinish();
        Pixels bottomUp(size_t(w) * h * 3), topDown(size_t(w) * h * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
        for (int y = 0; y < h; ++y) std::copy_n(&bottomUp[size_t(h - 1 - y) * w * 3], w * 3, &topDown[size_t(y) * w * 3]);
        return topDown;
    }
    static Pixels render() { return drawFrame(), grab(); }
    static Rgb at(const Pixels& px, int x, int y) {
        const unsigned char* p = &px[(y * W + x) * 3];
        return {p[0], p[1], p[2]};
    }

    // Rows bottom first (t = 0 first), as glTexImage2D takes them.
    static void makeTexture(GLuint id, int width, int height, const std::vector<Rgb>& texels) {
        std::vector<unsigned char> bytes;
        for (const Rgb& c : texels) bytes.insert(bytes.end(), c.begin(), c.end());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glBindTexture(GL_TEXTURE_2D, id);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
        for (GLenum filter : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER}) glTexParameteri(GL_TEXTURE_2D, filter, GL_NEAREST);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    // The colour at a world point of a grab, seen from the resting camera.
    static Rgb seen(const Pixels& px, double x, double y, double z) {
        GLdouble modelview[16], projection[16], wx = 0, wy = 0, wz = 0;
        GLint viewport[4];
        glPushMatrix();
        glLoadIdentity();
        glRotatef(-40.0f, 1.0f, 0.0f, 0.0f);
        glTranslatef(-15.0f, 10.0f, -30.0f);
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
        glPopMatrix();
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        gluProject(x, y, z, modelview, projection, viewport, &wx, &wy, &wz);
        return at(px, std::clamp(static_cast<int>(wx), 0, W - 1), std::clamp(H - 1 - static_cast<int>(wy), 0, H - 1));
    }
};
