// scene_order_test.cpp: the scene's fast order (blocks and marker first, then the floor
// only where it is strictly nearer, blending off) must give the very pixels of the plain
// order: floor, blocks, marker, balls. Drawn with the game's own pictures, so that any
// floor texel showing through where a block or the marker should be is caught.
#include "game/game.h"
#include "gl/scene_fixture.h"

namespace {

class SceneOrderGl : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        loadTextures();  // the working directory is the repository root
        ASSERT_NE(gTextures.cache.count, 0);
        gGame.session.cameraX = -15.0f;
        gGame.session.cameraY = 10.0f;
        gGame.session.cameraZ = -30.0f;
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        gGame.balls.count = MAX_BALLS;
        gGame.balls.spawn();
    }

    // A cleared picture under the resting camera, with the balls' spin always the same.
    static void startPicture() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glRotatef(-40.0f, 1.0f, 0.0f, 0.0f);
        glTranslatef(gGame.session.cameraX, gGame.session.cameraY, gGame.session.cameraZ);
        gGame.balls.spin = 60.0f;
    }

    static std::vector<unsigned char> draw(bool plain) {
        startPicture();
        if (plain) {
            glDisable(GL_BLEND);
            drawPlayfield(gGame.playfield);
            drawBalls(gGame.balls);
            glEnable(GL_BLEND);
        } else {
            drawScene(gGame.playfield, gGame.balls);
        }
        return grab();
    }

    static int differing(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
        int n = 0;
        for (size_t i = 0; i < a.size(); i += 3) n += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
        return n;
    }
};

TEST_F(SceneOrderGl, FastOrderGivesThePlainOrdersPixelsOnEveryKindOfField) {
    struct Field {
        const char* name;
        int (*solid)(int x, int y);
        int cursorX, cursorY;
    };
    const Field fields[] = {
        {"checkerboard, marker on the floor", [](int x, int y) { return (x + y) % 2; }, 12, 15},
        {"checkerboard, marker on a block", [](int x, int y) { return (x + y) % 2; }, 12, 13},
        {"open field with border, marker at the near edge", [](int x, int y) { return x == 0 || y == 0 || x == 29 || y == 29 ? 1 : 0; }, 5, 1},
        {"stripes with a growing wall", [](int x, int y) { return x % 3 == 0 ? 1 : (y == 10 ? 2 : 0); }, 20, 20},
    };
    for (const Field& f : fields) {
        gGame.playfield.clear();
        for (int x = 0; x < FIELD_SIZE; ++x) {
            for (int y = 0; y < FIELD_SIZE; ++y) {
                const int v = f.solid(x, y);
                gGame.playfield.cells[x][y].solid = v == 1 ? 1 : 0;
                gGame.playfield.cells[x][y].marked = v == 2 ? 1 : 0;
            }
        }
        gGame.playfield.cursorX = f.cursorX;
        gGame.playfield.cursorY = f.cursorY;
        const std::vector<unsigned char> plain = draw(true);
        const std::vector<unsigned char> fast = draw(false);
        EXPECT_EQ(differing(plain, fast), 0) << f.name;
        EXPECT_TRUE(glIsEnabled(GL_BLEND)) << "blending is the overlay's again";
    }
}

// After the intro the fading colour still holds: then the scene is blended, in the plain order.
TEST_F(SceneOrderGl, ATranslucentColourDrawsThePlainBlendedOrder) {
    glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
    startPicture();
    drawPlayfield(gGame.playfield);
    drawBalls(gGame.balls);
    const std::vector<unsigned char> blended = grab();
    EXPECT_NE(differing(blended, draw(true)), 0) << "half the colour must show";
    glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
    startPicture();
    drawScene(gGame.playfield, gGame.balls);
    EXPECT_EQ(differing(blended, grab()), 0);
}

}  // namespace
