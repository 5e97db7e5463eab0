// scene_fixture.h: flat-colour pictures at the game's texture ids, and where a point shows.
#pragma once
#include <GL/gl.h>
#include <GL/glu.h>

#include <vector>

#include "app/main_loop.h"
#include "app/frame_step.h"
#include "game/game.h"
#include "gl/gl_context.h"
#include "media/textures.h"
#include "render/font.h"
#include "render/frame.h"

class SceneTest : public GlTest {
protected:
    // Rows bottom first (t = 0 first), as glTexImage2D takes them.
    static void makeTexture(GLuint id, int width, int height, const std::vector<Rgb>& texels) {
        std::vector<unsigned char> bytes;
        for (const Rgb& c : texels) bytes.insert(bytes.end(), c.begin(), c.end());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glBindTexture(GL_TEXTURE_2D, id);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    // The colour at a world point of a grab, seen from the resting camera; -1s outside.
    static Rgb seen(const std::vector<unsigned char>& px, double x, double y, double z) {
        GLdouble modelview[16], projection[16];
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
        GLdouble wx = 0, wy = 0, wz = 0;
        if (gluProject(x, y, z, modelview, projection, viewport, &wx, &wy, &wz) != GL_TRUE) return {-1, -1, -1};
        const int column = static_cast<int>(wx), row = H - 1 - static_cast<int>(wy);
        return column >= 0 && column < W && row >= 0 && row < H ? at(px, column, row) : Rgb{-1, -1, -1};
    }

    static std::vector<unsigned char> render() {
        drawFrame();
        return grab();
    }
};
