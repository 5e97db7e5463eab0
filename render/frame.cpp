// frame.cpp: the pieces of one picture: the intro while it runs, afterwards the tilted
// 3D field with its balls, and the 2D overlay's projection and texts.
#include "render/frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "core/state_hash.h"
#include "core/version.h"
#include "game/game.h"
#include "render/font.h"

RenderState gRender;

namespace {

void drawCredits(i32 top) {
    const f32 x = 300.0f;
    printText(1, x, static_cast<f32>(top), "Fendwall V.0.9.1");
    printText(1, x, static_cast<f32>(top + 54), "Fendwall " FENDWALL_VERSION " for Linux");
    printText(1, x, static_cast<f32>(top + 79), "News: project repository");
    printText(1, x, static_cast<f32>(top + 104), "Bugs? Please file an issue");
    printText(1, x, static_cast<f32>(top + 129), "Thank you for playing!");
}

// The whole window black, bars included, then drawing kept inside the screen: text
// bitmaps are not clipped to the viewport and would spill into the bars.
void clearWindow(const DrawArea& area) {
    if (area.partial) {
        // Only the part that changes: the rest of the window keeps the picture before.
        const PixelBox& a = area.box;
        glScissor(a.x0, a.y0, a.x1 - a.x0, a.y1 - a.y0);
        glEnable(GL_SCISSOR_TEST);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    glDisable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const ScreenRect& r = gRender.screen;
    glScissor(r.x, gRender.viewportHeight - r.y - r.height, r.width, r.height);
    glEnable(GL_SCISSOR_TEST);
}

}  // namespace

void resizeScene(i32 width, i32 height) {
    if (height == 0) height = 1;
    gRender.viewportWidth = width;
    gRender.viewportHeight = height;
    const ScreenRect r = letterbox(width, height);
    gRender.screen = r;
    // GL counts rows from the bottom of the window.
    glViewport(r.x, height - r.y - r.height, r.width, r.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<GLdouble>(static_cast<GLfloat>(r.width) / static_cast<GLfloat>(r.height)),
                   static_cast<GLdouble>(0.1f), 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    setFontScale(r.height);
}

bool initGlState() {
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    return true;
}

void windowPointToScreen(i32* x, i32* y) { windowToScreen(gRender.screen, x, y); }

void drawIntroPicture(const Picture& picture, const DrawArea& area) {
    // Set here once: blending is never switched off again, and the game picture, drawn
    // opaque, does not notice it.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    clearWindow(area);
    glLoadIdentity();
    beginOverlay();
    glEnable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (picture.introBands) drawIntro(picture);
    endOverlay();
}

void drawGameScene(const Game& game, f32 ballSpin, const DrawArea& area) {
    const GameSession& s = game.session;
    clearWindow(area);
    // No colour of its own: the scene is drawn in the white the previous picture left.
    glLoadIdentity();
    glRotatef(CAMERA_TILT_DEGREES, 1.0f, 0.0f, 0.0f);
    glTranslatef(s.cameraX, s.cameraY, s.cameraZ);
    drawScene(game.playfield, game.balls, s, ballSpin);
}

namespace {
constexpr f32 FRAME_RATE_X = 560.0f;  // where the frame rate's text begins, in the small font
constexpr f32 FRAME_RATE_Y = 20.0f;
}  // namespace

ScreenBox frameRateBox() {
    // The small font's text reaches 20 pixels above its base line and 12 below, and 8 to the
    // left for the first glyph's bearing; to the screen's right edge however many digits.
    return {FRAME_RATE_X - 8.0f, FRAME_RATE_Y - 20.0f, f32(SCREEN_WIDTH), FRAME_RATE_Y + 12.0f};
}

void drawHud(const GameSession& s, f32 framesPerSecond) {
    glColor3f(0.0f, 1.0f, 0.0f);
    printText(0, FRAME_RATE_X, FRAME_RATE_Y, "FPS: %0.1f", static_cast<double>(framesPerSecond));
    // The session has already moved on to the next level while the camera flies.
    if (s.state != GameState::Menu && s.levelChanging && !s.gameOver) {
        printText(1, 300.0f, 240.0f, "Level %0.0f Complete", static_cast<double>(s.level - 1));
    }
    if (s.exiting) drawCredits(s.creditsY);
    if (s.gameOver) {
        printText(1, 300.0f, 240.0f, "GAME OVER :-(");
        printText(1, 300.0f, 340.0f, "score %0.0f", static_cast<double>(s.score));
    } else {
        printText(1, 10.0f, 29.0f, "lives %0.0f", static_cast<double>(s.lives));
        printText(1, 200.0f, 29.0f, "score %0.0f", static_cast<double>(s.score));
        printText(1, 100.0f, 29.0f, "level %0.0f", static_cast<double>(s.level));
    }
    glColor3f(1.0f, 1.0f, 1.0f);
}

void drawPausedVeil() {
    const GLboolean textured = glIsEnabled(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
    glBegin(GL_QUADS);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(0.0f, f32(SCREEN_HEIGHT));
    glVertex2f(f32(SCREEN_WIDTH), f32(SCREEN_HEIGHT));
    glVertex2f(f32(SCREEN_WIDTH), 0.0f);
    glEnd();
    if (textured) glEnable(GL_TEXTURE_2D);
    // The large font; the word is German and English alike.
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    printText(1, 280.0f, 250.0f, "Pause");
}

void finishPicture() { glFinish(); }

PixelBox screenOnWindow() {
    const ScreenRect& r = gRender.screen;
    const i32 bottom = gRender.viewportHeight - r.y - r.height;
    return {r.x, bottom, r.x + r.width, bottom + r.height};
}

PixelBox screenBoxOnWindow(f32 left, f32 top, f32 right, f32 bottom) {
    const ScreenRect& r = gRender.screen;
    const double sx = double(r.width) / SCREEN_WIDTH;
    const double sy = double(r.height) / SCREEN_HEIGHT;
    const double windowTop = gRender.viewportHeight - r.y;  // GL's row of the screen's top edge
    return {i32(std::floor(r.x + left * sx)) - 2, i32(std::floor(windowTop - bottom * sy)) - 2,
            i32(std::ceil(r.x + right * sx)) + 2, i32(std::ceil(windowTop - top * sy)) + 2};
}

PixelBox fieldBoxOnWindow(const GameSession& camera, const double low[3], const double high[3]) {
    // As GL does it: the tilt about x after the camera's move, then gluPerspective's 45
    // degrees into the viewport that resizeScene set.
    const ScreenRect& r = gRender.screen;
    const double tilt = double(CAMERA_TILT_DEGREES) * M_PI / 180.0;
    const double c = std::cos(tilt), s = std::sin(tilt);
    const double f = 1.0 / std::tan(45.0 * M_PI / 360.0);
    const double aspect = double(f32(r.width) / f32(r.height));
    const double viewBottom = gRender.viewportHeight - r.y - r.height;
    double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
    for (i32 corner = 0; corner < 8; ++corner) {
        const double x = ((corner & 1) ? high[0] : low[0]) + camera.cameraX;
        const double y = ((corner & 2) ? high[1] : low[1]) + camera.cameraY;
        const double z = ((corner & 4) ? high[2] : low[2]) + camera.cameraZ;
        const double ey = c * y - s * z;
        const double ez = s * y + c * z;
        if (!(-ez > 0.05)) return screenOnWindow();  // at or behind the eye: cannot tell
        const double wx = r.x + (f * x / aspect / -ez + 1.0) * 0.5 * r.width;
        const double wy = viewBottom + (f * ey / -ez + 1.0) * 0.5 * r.height;
        left = std::min(left, wx), right = std::max(right, wx);
        bottom = std::min(bottom, wy), top = std::max(top, wy);
    }
    const double limit = 1e6;  // far off the window; keeps the casts defined
    return {i32(std::floor(std::max(left, -limit))) - 2, i32(std::floor(std::max(bottom, -limit))) - 2,
            i32(std::ceil(std::min(right, limit))) + 2, i32(std::ceil(std::min(top, limit))) + 2};
}

u64 drawingStateKey() {
    GLfloat colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    GLint depthFunc = GL_LESS;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    Hasher h;
    h.all(colour[0], colour[1], colour[2], colour[3], i32(depthFunc), glIsEnabled(GL_DEPTH_TEST) == GL_TRUE,
          glIsEnabled(GL_BLEND) == GL_TRUE, glIsEnabled(GL_TEXTURE_2D) == GL_TRUE);
    return h.value;
}

void beginOverlay() {
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // Pixels of the 640 x 480 screen, origin top left, y downward, whatever the window's size.
    glOrtho(0.0, static_cast<GLdouble>(SCREEN_WIDTH), static_cast<GLdouble>(SCREEN_HEIGHT), 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void endOverlay() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
}
