// playfield_view.cpp: the 3D scene: the floor, a textured block per solid cell, the
// cursor marker and the rolling balls, all in field units.
#include <GL/gl.h>
#include <GL/glu.h>

#include "game/game.h"
#include "media/textures.h"
#include "render/frame.h"

namespace {

constexpr f32 FIELD_EDGE = static_cast<f32>(FIELD_SIZE);  // the floor spans the whole grid

// The ball's sphere, made once per context and compiled into a list.
GLUquadric* ballQuadric = nullptr;
GLuint ballList = 0;

// A cell shows a block when it is solid or part of the wall being built, so a growing
// wall looks finished from the first frame.
bool occupied(const Cell& c) { return c.solid == 1 || c.marked; }

// Side faces show the whole picture upright: t runs from the floor (0) to the top (1).
void sideFace(f32 x0, f32 y0, f32 x1, f32 y1) {
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(x0, y0, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(x1, y1, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(x1, y1, BLOCK_HEIGHT);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(x0, y0, BLOCK_HEIGHT);
}

void cellSquare(f32 x, f32 y, f32 z) {
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(x, y, z);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(x + 1.0f, y, z);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(x + 1.0f, y + 1.0f, z);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(x, y + 1.0f, z);
}

void drawFloor() {
    glBindTexture(GL_TEXTURE_2D, TEX_FLOOR);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(FIELD_EDGE, 0.0f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(FIELD_EDGE, FIELD_EDGE, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(0.0f, FIELD_EDGE, 0.0f);
    glEnd();
}

// The top of a block. The tops share one picture spread over the whole field.
void topFace(const Playfield& f, i32 x, i32 y) {
    const f32 sx = f.textureStepX;
    const f32 sy = f.textureStepY;
    const f32 fx = static_cast<f32>(x);
    const f32 fy = static_cast<f32>(y);
    const f32 s = fx * sx;
    const f32 t = fy * sy;
    glTexCoord2f(s, t);
    glVertex3f(fx, fy, BLOCK_HEIGHT);
    glTexCoord2f(s + sx, t);
    glVertex3f(fx + 1.0f, fy, BLOCK_HEIGHT);
    glTexCoord2f(s + sx, t + sy);
    glVertex3f(fx + 1.0f, fy + 1.0f, BLOCK_HEIGHT);
    glTexCoord2f(s, t + sy);
    glVertex3f(fx, fy + 1.0f, BLOCK_HEIGHT);
}

// Only faces that can turn toward the viewer and are not hidden by a neighbour: the far
// face at y + 1 never shows, nor do the outer faces of the side borders. A neighbour's
// odd pattern value hides a side face but not the front face.
void sideFaces(const Playfield& f, i32 x, i32 y) {
    const f32 fx = static_cast<f32>(x);
    const f32 fy = static_cast<f32>(y);
    if (y == 0 || (f.cells[x][y - 1].solid != 1 && !f.cells[x][y - 1].marked)) {
        sideFace(fx, fy, fx + 1.0f, fy);
    }
    if (x < FIELD_SIZE - 1 && f.cells[x + 1][y].solid == 0 && !f.cells[x + 1][y].marked) {
        sideFace(fx + 1.0f, fy, fx + 1.0f, fy + 1.0f);
    }
    if (x > 0 && f.cells[x - 1][y].solid == 0 && !f.cells[x - 1][y].marked) {
        sideFace(fx, fy, fx, fy + 1.0f);
    }
}

// All tops in one batch, then all side faces in another: two texture binds a picture
// instead of two per block. On Mesa's software renderer every bind in the middle of a
// picture costs a copy of the whole fragment state, which made up most of a frame on a
// full field. The picture is the same: blocks never overlap, and where a top and a side
// face of different blocks meet, the depth test decides, not the order.
void drawBlocks(const Playfield& f) {
    glBindTexture(GL_TEXTURE_2D, TEX_WALL_TOP);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    for (i32 x = 0; x < FIELD_SIZE; ++x) {
        for (i32 y = 0; y < FIELD_SIZE; ++y) {
            if (occupied(f.cells[x][y])) topFace(f, x, y);
        }
    }
    glEnd();
    glBindTexture(GL_TEXTURE_2D, TEX_WALL_SIDE);
    glBegin(GL_QUADS);
    for (i32 x = 0; x < FIELD_SIZE; ++x) {
        for (i32 y = 0; y < FIELD_SIZE; ++y) {
            if (occupied(f.cells[x][y])) sideFaces(f, x, y);
        }
    }
    glEnd();
}

void drawCursorMarker(const Playfield& f) {
    const u32 texture = f.selectedOrientation == Orientation::Vertical ? TEX_CURSOR_VERTICAL : TEX_CURSOR_HORIZONTAL;
    glBindTexture(GL_TEXTURE_2D, texture);
    const f32 cx = static_cast<f32>(f.cursorX);
    const f32 cy = static_cast<f32>(f.cursorY);
    // Drawn after the blocks and passing on equal depth: the upper square lies on a block's
    // top, the lower one on the floor of an open cell.
    glBegin(GL_QUADS);
    cellSquare(cx, cy, BLOCK_HEIGHT);
    cellSquare(cx, cy, 0.0f);
    glEnd();
}

// The ball's sphere as GLU sends it, with smooth normals and texture coordinates.
void sendSphere() { gluSphere(ballQuadric, static_cast<GLdouble>(BALL_RADIUS), 10, 10); }

void makeBallSphere() {
    if (!ballQuadric) {
        ballQuadric = gluNewQuadric();
        if (!ballQuadric) return;
        gluQuadricNormals(ballQuadric, GLU_SMOOTH);
        gluQuadricTexture(ballQuadric, GL_TRUE);
    }
    if (ballList != 0) return;
    ballList = glGenLists(1);
    if (ballList == 0) return;
    glNewList(ballList, GL_COMPILE);
    sendSphere();
    glEndList();
}

// Angles in f32, as the balls' own arithmetic.
f32 rollAngle(i32 index, f32 velocity, f32 spin) {
    const f32 phase = static_cast<f32>(10 * index);
    return velocity < 0.0f ? phase + spin : phase - spin;
}

}  // namespace

void drawPlayfield(const Playfield& field) {
    drawFloor();
    drawBlocks(field);
    drawCursorMarker(field);
}

void drawScene(const Playfield& field, const BallSet& balls, const GameSession& camera, f32 ballSpin) {
    GLfloat colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};  // as they are without a context, not whatever the stack held
    glGetFloatv(GL_CURRENT_COLOR, colour);
    GLint depthFunc = GL_LESS;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    // After the intro's last picture its fading colour still holds, and the scene is
    // blended into the black behind it: then it is drawn plainly, in the order above.
    if (colour[3] < 1.0f || depthFunc != GL_LEQUAL || !glIsEnabled(GL_DEPTH_TEST)) {
        drawPlayfield(field);
        drawBalls(balls, camera, ballSpin);
        return;
    }
    // Every texture of the scene is opaque, so in an opaque colour the blending that the
    // intro switched on changes no pixel here; the software renderer would still read
    // back and mix every one. Off for the scene, and as it was again for the overlay.
    const bool blending = glIsEnabled(GL_BLEND);
    if (blending) glDisable(GL_BLEND);
    // The floor after the blocks and the marker, passing only where it is strictly
    // nearer: in every pixel the same fragment wins as when it comes first and the rest
    // pass on equal depth, but the floor under the blocks is never textured.
    drawBlocks(field);
    drawCursorMarker(field);
    glDepthFunc(GL_LESS);
    drawFloor();
    glDepthFunc(GL_LEQUAL);
    drawBalls(balls, camera, ballSpin);
    if (blending) glEnable(GL_BLEND);
}

void deleteBallList() {
    if (ballList != 0) glDeleteLists(ballList, 1);
    ballList = 0;
    if (ballQuadric) gluDeleteQuadric(ballQuadric);
    ballQuadric = nullptr;
}

void drawBalls(const BallSet& balls, const GameSession& camera, f32 ballSpin) {
    glBindTexture(GL_TEXTURE_2D, TEX_BALL);
    // One compiled sphere for all balls, instead of GLU working it out ten stacks at a time
    // for every ball in every picture.
    makeBallSphere();
    const i32 n = balls.count < MAX_BALLS ? balls.count : MAX_BALLS;
    for (i32 k = 0; k < n; ++k) {
        const Ball& b = balls.balls[k];
        glLoadIdentity();
        glRotatef(CAMERA_TILT_DEGREES, 1.0f, 0.0f, 0.0f);
        glTranslatef(camera.cameraX, camera.cameraY, camera.cameraZ);
        glTranslatef(b.x, b.y, BALL_HEIGHT);
        // Tilted once more, so the rolling turns about the axes the viewer sees.
        glRotatef(CAMERA_TILT_DEGREES, 1.0f, 0.0f, 0.0f);
        glRotatef(rollAngle(k, b.vy, ballSpin), 1.0f, 0.0f, 0.0f);
        glRotatef(rollAngle(k, b.vx, ballSpin), 0.0f, 1.0f, 0.0f);
        if (!ballQuadric) continue;
        if (ballList != 0) {
            glCallList(ballList);
        } else {
            sendSphere();
        }
    }
}
