// scene_fixture.h: a GL test with tiny solid-colour pictures at the game's fixed texture ids,
// so what is drawn where can be read back without depending on the art.
#pragma once
#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <vector>

#include "app/main_loop.h"
#include "game/balls.h"
#include "game/playfield.h"
#include "game/session.h"
#include "gl/gl_context.h"
#include "media/textures.h"
#include "render/font.h"
#include "render/frame.h"

using Rgb = std::array<int, 3>;

class SceneTest : public GlTest {
protected:
    // Rows bottom first (t = 0 first), as glTexImage2D takes them.
    static void makeTexture(GLuint id, int width, int height, const std::vector<Rgb>& texels) {
        std::vector<unsigned char> bytes;
        for (const Rgb& c : texels) {
            for (int v : c) bytes.push_back(static_cast<unsigned char>(v));
        }
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glBindTexture(GL_TEXTURE_2D, id);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    // Where a world point lands on screen under the resting camera, as (column, row from
    // the top); false when it falls outside the picture.
    static bool project(double x, double y, double z, int* column, int* row) {
        GLdouble modelview[16];
        GLdouble projection[16];
        GLint viewport[4];
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glRotatef(-40.0f, 1.0f, 0.0f, 0.0f);
        glTranslatef(-15.0f, 10.0f, -30.0f);
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
        glPopMatrix();
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        GLdouble wx = 0;
        GLdouble wy = 0;
        GLdouble wz = 0;
        if (gluProject(x, y, z, modelview, projection, viewport, &wx, &wy, &wz) != GL_TRUE) return false;
        *column = static_cast<int>(wx);
        *row = H - 1 - static_cast<int>(wy);
        return *column >= 0 && *column < W && *row >= 0 && *row < H;
    }

    // The colour at a world point of a grab.
    static Rgb seen(const std::vector<unsigned char>& px, double x, double y, double z) {
        int column = 0;
        int row = 0;
        if (!project(x, y, z, &column, &row)) return {-1, -1, -1};
        return at(px, column, row);
    }

    static bool near(const Rgb& a, const Rgb& b, int tolerance = 2) {
        for (int i = 0; i < 3; ++i) {
            if (a[i] - b[i] > tolerance || b[i] - a[i] > tolerance) return false;
        }
        return true;
    }

    std::vector<unsigned char> render() {
        drawFrame();
        glFinish();
        return grab();
    }
};

