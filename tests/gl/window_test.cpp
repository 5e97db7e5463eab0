// window_test.cpp: the game's own window code makes a working Mesa context.
#include "gl/gl_context.h"

#include <GL/gl.h>

#include <cmath>

namespace {

using WindowGl = GlTest;

TEST_F(WindowGl, ContextIsCurrentWithDepthAndTheGameProjection) {
    ASSERT_NE(glGetString(GL_RENDERER), nullptr);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);

    resizeScene(800, 600);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    // gluPerspective: m[0] = f / aspect, m[5] = f; their ratio is the aspect 4:3.
    EXPECT_NEAR(projection[5] / projection[0], 800.0 / 600.0, 1e-6);
    EXPECT_NEAR(projection[5], 1.0 / std::tan(22.5 * M_PI / 180.0), 1e-6);

    GLint matrixMode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    EXPECT_EQ(matrixMode, GL_MODELVIEW);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(WindowGl, ClearAndReadBack) {
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const auto px = grab();
    const auto c = at(px, 320, 240);
    EXPECT_EQ(c[0], 0);
    EXPECT_EQ(c[1], 255);
    EXPECT_EQ(c[2], 0);
}

}  // namespace
