// render_identity_test.cpp: the faster ways of drawing the scene against the plain ones
// they replaced, read back pixel by pixel.
//
// Blocks: the reference below draws every block on its own, top then side faces, each
// with its own texture bind; the game now draws all tops, then all side faces. Where the
// top of one block and a side face of another meet (their joins and corners), the two
// can be at the same depth to the depth buffer's precision, and the depth test lets
// whichever was drawn last win the pixel (and with it, at the foot of a side face, even
// the floor's tie with it can turn out the other way). Those pixels may show the other
// face now: scattered pixels and short runs on the edges of tops and the feet of side
// faces, one pixel in a thousand at most. With the game's 32-bit depth buffer under X the resting picture comes out
// identical; these checks run on SDL's offscreen driver, whose buffer has 16 bits.
//
// Blending: the game switches it off for the scene while the colour is opaque. Blending
// an opaque colour is a copy, so the picture must match the blended one; Mesa's blend
// stage rounds a rare channel one step differently, which is all that may differ. While
// the intro's colour still fades, blending stays on and the picture is identical.
//
// They run on the game's own pictures and on labelled ones that tell every top apart
// from the side faces, floor and marker, over the worst field, random fields with growing
// walls and odd pattern values, at rest and along the camera flights.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "app/main_loop.h"
#include "game/balls.h"
#include "game/playfield.h"
#include "game/session.h"
#include "gl/gl_context.h"
#include "media/textures.h"
#include "render/frame.h"

namespace {

namespace reference {

void sideFace(f32 x0, f32 y0, f32 x1, f32 y1) {
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(x0, y0, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(x1, y1, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(x1, y1, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(x0, y0, 1.0f);
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

void drawBlock(const Playfield& f, i32 x, i32 y) {
    const f32 sx = f.textureStepX;
    const f32 sy = f.textureStepY;
    const f32 fx = static_cast<f32>(x);
    const f32 fy = static_cast<f32>(y);
    const f32 s = fx * sx;
    const f32 t = fy * sy;
    glBindTexture(GL_TEXTURE_2D, TEX_WALL_TOP);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(s, t);
    glVertex3f(fx, fy, 1.0f);
    glTexCoord2f(s + sx, t);
    glVertex3f(fx + 1.0f, fy, 1.0f);
    glTexCoord2f(s + sx, t + sy);
    glVertex3f(fx + 1.0f, fy + 1.0f, 1.0f);
    glTexCoord2f(s, t + sy);
    glVertex3f(fx, fy + 1.0f, 1.0f);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, TEX_WALL_SIDE);
    glBegin(GL_QUADS);
    if (y == 0 || (f.cells[x][y - 1].solid != 1 && f.cells[x][y - 1].marked == 0)) {
        sideFace(fx, fy, fx + 1.0f, fy);
    }
    if (x < FIELD_SIZE - 1 && f.cells[x + 1][y].solid == 0 && f.cells[x + 1][y].marked == 0) {
        sideFace(fx + 1.0f, fy, fx + 1.0f, fy + 1.0f);
    }
    if (x > 0 && f.cells[x - 1][y].solid == 0 && f.cells[x - 1][y].marked == 0) {
        sideFace(fx, fy, fx, fy + 1.0f);
    }
    glEnd();
}

void drawPlayfield(const Playfield& f) {
    glBindTexture(GL_TEXTURE_2D, TEX_FLOOR);
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(30.0f, 0.0f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(30.0f, 30.0f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(0.0f, 30.0f, 0.0f);
    glEnd();
    for (i32 x = 0; x < FIELD_SIZE; ++x) {
        for (i32 y = 0; y < FIELD_SIZE; ++y) {
            if (f.cells[x][y].solid == 1 || f.cells[x][y].marked == 1) drawBlock(f, x, y);
        }
    }
    glBindTexture(GL_TEXTURE_2D, f.selectedOrientation == Orientation::Vertical ? TEX_CURSOR_VERTICAL
                                                                                : TEX_CURSOR_HORIZONTAL);
    glBegin(GL_QUADS);
    cellSquare(static_cast<f32>(f.cursorX), static_cast<f32>(f.cursorY), 1.0f);
    cellSquare(static_cast<f32>(f.cursorX), static_cast<f32>(f.cursorY), 0.0f);
    glEnd();
}

}  // namespace reference

class RenderIdentityGl : public GlTest {
protected:
    struct Picture {
        std::vector<unsigned char> colour;  // RGB, rows from the top
        std::vector<GLuint> depth;          // rows from the bottom
    };

    void SetUp() override {
        GlTest::SetUp();
        cameraX = -15.0f;
        cameraY = 10.0f;
        cameraZ = -30.0f;
        // The game's blending is on from the intro's first picture onward.
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }

    // Pictures that name what shows in a pixel: every top texel carries its cell (red x * 8,
    // green y * 8, blue 255), the side faces are plain green, the floor plain red, the
    // markers grey; nearest sampling keeps them exact.
    static bool isTop(const unsigned char* rgb) { return rgb[2] == 255; }
    static bool isSide(const unsigned char* rgb) { return rgb[0] == 0 && rgb[1] == 200 && rgb[2] == 0; }
    static bool isFloor(const unsigned char* rgb) { return rgb[0] == 200 && rgb[1] == 0 && rgb[2] == 0; }

    static void labelledPictures() {
        std::vector<unsigned char> cells;
        for (int y = 0; y < FIELD_SIZE; ++y) {
            for (int x = 0; x < FIELD_SIZE; ++x) {
                cells.push_back(static_cast<unsigned char>(x * 8));
                cells.push_back(static_cast<unsigned char>(y * 8));
                cells.push_back(255);
            }
        }
        const unsigned char plain[][3] = {{0, 0, 0},   {0, 0, 0},       {200, 0, 0},     {0, 200, 0},
                                          {0, 0, 0},   {90, 90, 90},    {120, 120, 120}, {150, 150, 150}};
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        for (GLuint id = TEX_WHITE; id <= TEX_CURSOR_VERTICAL; ++id) {
            glBindTexture(GL_TEXTURE_2D, id);
            if (id == TEX_WALL_TOP) {
                glTexImage2D(GL_TEXTURE_2D, 0, 3, FIELD_SIZE, FIELD_SIZE, 0, GL_RGB, GL_UNSIGNED_BYTE, cells.data());
            } else {
                glTexImage2D(GL_TEXTURE_2D, 0, 3, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, plain[id]);
            }
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        }
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    // Where a world point lands on the screen (x, y from the top); false behind the eye.
    static bool toScreen(double x, double y, double z, double* sx, double* sy) {
        GLdouble modelview[16];
        GLdouble projection[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        const double p[4] = {x, y, z, 1.0};
        double eye[4] = {0, 0, 0, 0};
        double clip[4] = {0, 0, 0, 0};
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 4; ++c) eye[r] += modelview[c * 4 + r] * p[c];
        }
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 4; ++c) clip[r] += projection[c * 4 + r] * eye[c];
        }
        if (clip[3] <= 0.0) return false;
        *sx = (clip[0] / clip[3] * 0.5 + 0.5) * W;
        *sy = H - (clip[1] / clip[3] * 0.5 + 0.5) * H;
        return true;
    }

    // Whether the floor seen in a pixel lies within two pixels of a cell boundary, where
    // the side faces stand on it.
    static bool floorNearCellBoundary(int column, int row) {
        GLdouble modelview[16];
        GLdouble projection[16];
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        const double wx = column + 0.5;
        const double wy = H - (row + 0.5);
        double n[3];
        double f[3];
        gluUnProject(wx, wy, 0.0, modelview, projection, viewport, &n[0], &n[1], &n[2]);
        gluUnProject(wx, wy, 1.0, modelview, projection, viewport, &f[0], &f[1], &f[2]);
        if (f[2] == n[2]) return false;
        const double u = n[2] / (n[2] - f[2]);
        const double x = n[0] + u * (f[0] - n[0]);
        const double y = n[1] + u * (f[1] - n[1]);
        const double candidates[2][2] = {{std::round(x), y}, {x, std::round(y)}};
        for (const auto& c : candidates) {
            double sx = 0;
            double sy = 0;
            if (!toScreen(c[0], c[1], 0.0, &sx, &sy)) continue;
            if (std::hypot(sx - (column + 0.5), sy - (row + 0.5)) <= 2.0) return true;
        }
        return false;
    }

    // How far a pixel centre (from the top of the screen) lies from the outline of a
    // cell's top as the current camera shows it; huge when a corner is behind the eye.
    static double distanceToTopOutline(int column, int row, int cellX, int cellY) {
        double sx[4];
        double sy[4];
        const int cornerX[4] = {cellX, cellX + 1, cellX + 1, cellX};
        const int cornerY[4] = {cellY, cellY, cellY + 1, cellY + 1};
        for (int k = 0; k < 4; ++k) {
            if (!toScreen(cornerX[k], cornerY[k], 1.0, &sx[k], &sy[k])) return 1e9;
        }
        const double px = column + 0.5;
        const double py = row + 0.5;
        double best = 1e9;
        for (int k = 0; k < 4; ++k) {
            const double ax = sx[k];
            const double ay = sy[k];
            const double bx = sx[(k + 1) % 4];
            const double by = sy[(k + 1) % 4];
            const double len = (bx - ax) * (bx - ax) + (by - ay) * (by - ay);
            double u = len > 0 ? ((px - ax) * (bx - ax) + (py - ay) * (by - ay)) / len : 0.0;
            u = u < 0 ? 0 : (u > 1 ? 1 : u);
            const double dx = ax + u * (bx - ax) - px;
            const double dy = ay + u * (by - ay) - py;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d < best) best = d;
        }
        return best;
    }

    Picture readBack() const {
        glFinish();
        Picture p;
        p.colour = grab();
        p.depth.resize(W * H);
        glReadPixels(0, 0, W, H, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, p.depth.data());
        return p;
    }

    static void beginScene() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glRotatef(-40.0f, 1.0f, 0.0f, 0.0f);
        glTranslatef(cameraX, cameraY, cameraZ);
    }

    // The field the old way and the game's way under the current camera. Counts the
    // pixels whose colour differs and the largest patch of touching ones; with labelled
    // pictures also those that are not a side face trading places with a top on that
    // top's edge, or with the floor on a cell boundary (within two pixels on the screen).
    struct BlockChange {
        int differing = 0;
        int largestPatch = 0;
        int offJoins = 0;
    };

    BlockChange blockChange(bool labelled) const {
        beginScene();
        reference::drawPlayfield(gPlayfield);
        const Picture before = readBack();
        beginScene();
        drawPlayfield(gPlayfield);
        const Picture after = readBack();
        std::vector<char> differs(W * H, 0);
        BlockChange change;
        for (int i = 0; i < W * H; ++i) {
            const unsigned char* was = &before.colour[i * 3];
            const unsigned char* now = &after.colour[i * 3];
            if (std::memcmp(was, now, 3) == 0) continue;
            differs[i] = 1;
            ++change.differing;
            if (!labelled) continue;
            const unsigned char* other = isSide(was) ? now : was;
            const bool topEdge = isTop(other) && distanceToTopOutline(i % W, i / W, other[0] / 8, other[1] / 8) <= 2.0;
            const bool footOfSide = isFloor(other) && floorNearCellBoundary(i % W, i / W);
            if (!(isSide(was) || isSide(now)) || !(topEdge || footOfSide)) ++change.offJoins;
        }
        for (int i = 0; i < W * H; ++i) {
            if (differs[i] != 1) continue;
            int patch = 0;
            std::vector<int> open{i};
            differs[i] = 2;
            while (!open.empty()) {
                const int j = open.back();
                open.pop_back();
                ++patch;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int x = j % W + dx;
                        const int y = j / W + dy;
                        if (x < 0 || x >= W || y < 0 || y >= H || differs[y * W + x] != 1) continue;
                        differs[y * W + x] = 2;
                        open.push_back(y * W + x);
                    }
                }
            }
            if (patch > change.largestPatch) change.largestPatch = patch;
        }
        return change;
    }

    void expectBlocksAlike(const std::string& what, bool labelled) {
        for (const f32 z : {-30.0f, -20.0f, -9.0f, -1.0f, 0.0f, -45.0f}) {
            cameraZ = z;
            const BlockChange change = blockChange(labelled);
            const std::string where = what + ", camera z " + std::to_string(static_cast<int>(z));
            EXPECT_LE(change.differing, W * H / 1000) << where;
            EXPECT_LE(change.largestPatch, 16) << where << ": a run along a join at most, never an area";
            EXPECT_EQ(change.offJoins, 0) << where << ": pixels off the joins of a side face with a top or the floor";
        }
        cameraZ = -30.0f;
    }

    static void openField() {
        gPlayfield = Playfield{};
        gPlayfield.clear();
    }

    static void checkerboard(int parity) {
        openField();
        for (i32 x = 1; x < FIELD_SIZE - 1; ++x) {
            for (i32 y = 1; y < FIELD_SIZE - 1; ++y) gPlayfield.cells[x][y].solid = (x + y) % 2 == parity ? 1 : 0;
        }
    }

    // Random blocks, growing-wall cells and odd pattern values over an open field.
    static void randomField(std::mt19937& rng, int percent) {
        openField();
        std::uniform_int_distribution<int> roll(0, 99);
        for (i32 x = 1; x < FIELD_SIZE - 1; ++x) {
            for (i32 y = 1; y < FIELD_SIZE - 1; ++y) {
                const int r = roll(rng);
                Cell& c = gPlayfield.cells[x][y];
                if (r < percent) {
                    c.solid = 1;
                } else if (r < percent + 6) {
                    c.marked = 1;
                } else if (r < percent + 9) {
                    c.solid = 2 + static_cast<u32>(r % 3);
                }
            }
        }
        gPlayfield.cursorX = 1 + roll(rng) % 28;
        gPlayfield.cursorY = 1 + roll(rng) % 28;
        gPlayfield.selectedOrientation = roll(rng) % 2 == 0 ? Orientation::Vertical : Orientation::Horizontal;
    }

    // Balls where they may be in play: anywhere inside, touching walls included.
    static void randomBalls(std::mt19937& rng) {
        std::uniform_int_distribution<int> quarter(4, 27 * 4);
        gBalls.count = MAX_BALLS;
        gBalls.spawn();
        for (i32 k = 0; k < MAX_BALLS; ++k) {
            Ball& b = gBalls.balls[k];
            b.x = static_cast<f32>(quarter(rng)) * 0.25f;
            b.y = static_cast<f32>(quarter(rng)) * 0.25f;
            b.vx = quarter(rng) % 2 == 0 ? 0.25f : -0.25f;
            b.vy = quarter(rng) % 2 == 0 ? 0.25f : -0.25f;
        }
        gBalls.spin = static_cast<f32>(20 * (quarter(rng) % 18));
    }

    template <typename Check>
    void everyField(const std::string& pictures, Check check) {
        checkerboard(0);
        check(pictures + ", checkerboard");
        checkerboard(1);
        check(pictures + ", other checkerboard");
        openField();
        gPlayfield.loadPattern("data/fend.dat");
        check(pictures + ", title pattern");
        std::mt19937 rng(20240607);
        for (int round = 0; round < 12; ++round) {
            randomField(rng, 10 + round * 7);
            check(pictures + ", random field " + std::to_string(round));
        }
    }

    // The scene as the game draws it against the same with blending left on. With an
    // opaque colour blending is arithmetically a copy, and so it is here but for the
    // rounding of Mesa's blend stage: a channel may come out one step apart in a rare
    // pixel, and depths in their last bits where the other shader computes them.
    // Both pictures advance the balls' spin, so it is set back in between.
    void expectSceneAlike(const std::string& what) {
        for (const f32 z : {-30.0f, -14.0f, 0.0f, -52.0f}) {
            cameraZ = z;
            const f32 spin = gBalls.spin;
            beginScene();
            drawPlayfield(gPlayfield);
            drawBalls(gBalls);
            const Picture before = readBack();
            gBalls.spin = spin;
            beginScene();
            drawScene(gPlayfield, gBalls);
            const Picture after = readBack();
            int differing = 0;
            int largestStep = 0;
            GLuint largestDepthStep = 0;
            for (int i = 0; i < W * H; ++i) {
                for (int k = 0; k < 3; ++k) {
                    const int step = std::abs(before.colour[i * 3 + k] - after.colour[i * 3 + k]);
                    if (step > largestStep) largestStep = step;
                }
                if (std::memcmp(&before.colour[i * 3], &after.colour[i * 3], 3) != 0) ++differing;
                const GLuint d = before.depth[i] > after.depth[i] ? before.depth[i] - after.depth[i]
                                                                  : after.depth[i] - before.depth[i];
                if (d > largestDepthStep) largestDepthStep = d;
            }
            const std::string where = what + ", camera z " + std::to_string(static_cast<int>(z));
            EXPECT_LE(largestStep, 1) << where;
            EXPECT_LE(differing, W * H / 10000) << where;
            EXPECT_LE(largestDepthStep, 1u << 10) << where << ": depth beyond its last bits";
            EXPECT_TRUE(glIsEnabled(GL_BLEND)) << "blending is on again for the overlay";
        }
        cameraZ = -30.0f;
    }

    // A fading colour keeps its blending: the scene must come out exactly as before.
    void expectSceneIdentical(const std::string& what) {
        const f32 spin = gBalls.spin;
        beginScene();
        drawPlayfield(gPlayfield);
        drawBalls(gBalls);
        const Picture before = readBack();
        gBalls.spin = spin;
        beginScene();
        drawScene(gPlayfield, gBalls);
        const Picture after = readBack();
        EXPECT_TRUE(before.colour == after.colour) << what;
        EXPECT_TRUE(before.depth == after.depth) << what;
    }
};

TEST_F(RenderIdentityGl, BatchedBlocksDifferOnlyInTiedPixelsOnJoinsWithTheGamesPictures) {
    loadTextures();
    ASSERT_NE(gTextureCache.ids[TEX_WALL_TOP - 1], 0u) << "run from the repository root: data/ is needed";
    everyField("game pictures", [this](const std::string& what) { expectBlocksAlike(what, false); });
}

TEST_F(RenderIdentityGl, BatchedBlocksDifferOnlyInTiedPixelsWhereSideFacesMeetTopsOrFloor) {
    labelledPictures();
    everyField("labelled pictures", [this](const std::string& what) { expectBlocksAlike(what, true); });
}

TEST_F(RenderIdentityGl, SceneWithoutBlendingMatchesTheBlendedOne) {
    loadTextures();
    ASSERT_NE(gTextureCache.ids[TEX_BALL - 1], 0u) << "run from the repository root: data/ is needed";
    std::mt19937 rng(7);
    everyField("game pictures", [&](const std::string& what) {
        randomBalls(rng);
        expectSceneAlike(what);
    });
}

TEST_F(RenderIdentityGl, AFadingColourKeepsItsBlending) {
    loadTextures();
    checkerboard(0);
    gBalls.count = 3;
    gBalls.spawn();
    // The intro's last colours: the scene must still blend into the black behind it.
    for (const f32 alpha : {0.0f, 0.37f, 0.99f}) {
        glColor4f(0.0f, 0.0f, 1.0f, alpha);
        expectSceneIdentical("alpha " + std::to_string(alpha));
    }
}

}  // namespace
