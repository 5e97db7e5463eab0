// frame_test.cpp: the game picture as the player sees it: floor, blocks, marker, balls,
// the overlay texts, and the GL state one picture leaves for the next.
#include <GL/gl.h>

#include "app/window.h"
#include "gl/scene_fixture.h"
#include "ui/menu.h"
#include "ui/window_manager.h"

namespace {

// The floor picture's four corners, the sides' bottom and top rows, the tops' four corners.
const Rgb FLOOR_NEAR_LEFT{255, 0, 0};
const Rgb FLOOR_NEAR_RIGHT{0, 255, 128};  // not the green of the overlay texts
const Rgb FLOOR_FAR_LEFT{0, 0, 255};
const Rgb FLOOR_FAR_RIGHT{255, 255, 0};
const Rgb SIDE_BOTTOM{255, 0, 255};
const Rgb SIDE_TOP{0, 255, 255};
const Rgb TOP_NEAR_LEFT{128, 0, 0};
const Rgb TOP_NEAR_RIGHT{0, 128, 0};
const Rgb TOP_FAR_LEFT{0, 0, 128};
const Rgb TOP_FAR_RIGHT{128, 128, 0};
const Rgb BALL{255, 255, 255};
const Rgb MARK_HORIZONTAL{255, 128, 0};
const Rgb MARK_VERTICAL{128, 0, 255};

class FrameGl : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        makeTexture(TEX_FLOOR, 2, 2, {FLOOR_NEAR_LEFT, FLOOR_NEAR_RIGHT, FLOOR_FAR_LEFT, FLOOR_FAR_RIGHT});
        makeTexture(TEX_WALL_SIDE, 1, 2, {SIDE_BOTTOM, SIDE_TOP});
        makeTexture(TEX_WALL_TOP, 2, 2, {TOP_NEAR_LEFT, TOP_NEAR_RIGHT, TOP_FAR_LEFT, TOP_FAR_RIGHT});
        makeTexture(TEX_BALL, 1, 1, {BALL});
        makeTexture(TEX_CURSOR_HORIZONTAL, 1, 1, {MARK_HORIZONTAL});
        makeTexture(TEX_CURSOR_VERTICAL, 1, 1, {MARK_VERTICAL});
        cameraX = -15.0f;
        cameraY = 10.0f;
        cameraZ = -30.0f;
        introActive = 0;
        gPlayfield.clear();
        gPlayfield.cursorX = 15;
        gPlayfield.cursorY = 15;
        gSession.level = 1;
        gSession.lives = 3;
    }

    // Whether printText draws at all: the fonts need a scalable sans-serif face.
    bool fontsDraw() {
        glClear(GL_COLOR_BUFFER_BIT);
        beginOverlay();
        glColor3f(1.0f, 1.0f, 1.0f);
        glBindTexture(GL_TEXTURE_2D, 0);
        printText(1, 10.0f, 100.0f, "lives");
        endOverlay();
        const auto px = grab();
        for (int y = 60; y <= 100; ++y) {
            for (int x = 10; x < 80; ++x) {
                if (at(px, x, y)[0] > 0) return true;
            }
        }
        return false;
    }

    // Pure green pixels (the overlay text colour) in a box of the screen.
    static int greenIn(const std::vector<unsigned char>& px, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const Rgb c = at(px, x, y);
                if (c[1] > 200 && c[0] < 40 && c[2] < 40) ++n;
            }
        }
        return n;
    }
};

TEST_F(FrameGl, OpenFieldShowsUprightFloorBorderTopsAndTheFacesTowardTheViewer) {
    const auto px = render();
    // The floor picture is stretched once over the field, its first row at the near edge.
    EXPECT_EQ(seen(px, 7.5, 7.5, 0), FLOOR_NEAR_LEFT);
    EXPECT_EQ(seen(px, 22.5, 7.5, 0), FLOOR_NEAR_RIGHT);
    EXPECT_EQ(seen(px, 7.5, 22.5, 0), FLOOR_FAR_LEFT);
    EXPECT_EQ(seen(px, 22.5, 22.5, 0), FLOOR_FAR_RIGHT);
    // The border blocks' tops share one picture over the whole field.
    EXPECT_EQ(seen(px, 0.5, 0.5, 1), TOP_NEAR_LEFT);
    EXPECT_EQ(seen(px, 29.5, 0.5, 1), TOP_NEAR_RIGHT);
    EXPECT_EQ(seen(px, 0.5, 29.5, 1), TOP_FAR_LEFT);
    EXPECT_EQ(seen(px, 29.5, 29.5, 1), TOP_FAR_RIGHT);
    // Side faces stand upright: the picture's first row at the floor.
    for (double x : {0.5, 10.5, 29.5}) {
        EXPECT_EQ(seen(px, x, 0, 0.2), SIDE_BOTTOM) << "near row front face at x " << x;
        EXPECT_EQ(seen(px, x, 0, 0.8), SIDE_TOP) << "near row front face at x " << x;
    }
    EXPECT_EQ(seen(px, 15.5, 29, 0.2), SIDE_BOTTOM) << "far row, inner face";
    EXPECT_EQ(seen(px, 1, 15.5, 0.2), SIDE_BOTTOM) << "left column, inner face";
    EXPECT_EQ(seen(px, 29, 15.5, 0.8), SIDE_TOP) << "right column, inner face";
}

TEST_F(FrameGl, OddPatternValuesHideSideFacesButAreNoBlocksAndHideNoFrontFace) {
    gPlayfield.cells[10][10].solid = 1;
    gPlayfield.cells[11][10].solid = 2;  // right of the block
    gPlayfield.cells[10][9].solid = 2;   // in front of it
    gPlayfield.cells[20][20].solid = 2;  // alone
    const auto px = render();
    EXPECT_EQ(seen(px, 11, 10.5, 0.5), FLOOR_NEAR_LEFT) << "no right face: the eye sees into the block";
    EXPECT_EQ(seen(px, 10.5, 10, 0.2), SIDE_BOTTOM) << "the front face stays";
    EXPECT_EQ(seen(px, 20.5, 20.5, 1), FLOOR_FAR_RIGHT) << "a value of 2 draws no block";
}

TEST_F(FrameGl, GrowingWallLooksExactlyLikeAFinishedOne) {
    for (int x = 5; x <= 12; ++x) gPlayfield.cells[x][14].solid = 1;
    for (int y = 15; y <= 20; ++y) gPlayfield.cells[8][y].solid = 1;
    const auto finished = render();
    for (int x = 5; x <= 12; ++x) {
        gPlayfield.cells[x][14].solid = 0;
        gPlayfield.cells[x][14].marked = 1;
    }
    for (int y = 15; y <= 20; ++y) {
        gPlayfield.cells[8][y].solid = 0;
        gPlayfield.cells[8][y].marked = 1;
    }
    const auto growing = render();
    EXPECT_EQ(seen(growing, 6.5, 14.5, 1), TOP_NEAR_LEFT) << "the marked cells are drawn as blocks";
    EXPECT_EQ(seen(growing, 6.5, 14, 0.2), SIDE_BOTTOM);
    EXPECT_TRUE(growing == finished) << "growing and finished walls differ";
}

TEST_F(FrameGl, CursorMarkerLiesOnABlockTopOrOnTheFloorAndShowsTheOrientation) {
    gPlayfield.cells[10][10].solid = 1;
    gPlayfield.cursorX = 10;
    gPlayfield.cursorY = 10;
    gPlayfield.selectedOrientation = Orientation::Vertical;
    auto px = render();
    EXPECT_EQ(seen(px, 10.5, 10.5, 1), MARK_VERTICAL) << "on top of the block";
    EXPECT_EQ(seen(px, 10.5, 10, 0.2), SIDE_BOTTOM) << "the block's front stays visible";

    gPlayfield.cursorX = 12;
    gPlayfield.cursorY = 12;
    gPlayfield.selectedOrientation = 0;  // nothing chosen yet: horizontal
    px = render();
    EXPECT_EQ(seen(px, 12.5, 12.5, 0), MARK_HORIZONTAL) << "on the floor of an open cell";
    EXPECT_EQ(seen(px, 12.5, 12.5, 1), MARK_HORIZONTAL) << "and floating at wall height";
    EXPECT_EQ(seen(px, 10.5, 10.5, 1), TOP_NEAR_LEFT) << "the old cell shows its plain top again";
}

TEST_F(FrameGl, BallsRollAndSpinAdvancesOncePerPictureWithOrWithoutBalls) {
    gBalls.count = 1;
    gBalls.spawn();
    gBalls.balls[0] = Ball{10.0f, 10.0f, 0.25f, -0.25f};
    auto px = render();
    EXPECT_EQ(seen(px, 10, 10, 0.2), BALL);
    EXPECT_EQ(gBalls.spin, 20.0f);

    // No sphere without its quadric, but the picture count still turns the spin.
    gluDeleteQuadric(ballQuadric);
    ballQuadric = nullptr;
    px = render();
    EXPECT_EQ(seen(px, 10, 10, 0.2), FLOOR_NEAR_LEFT);
    EXPECT_EQ(gBalls.spin, 40.0f);

    gBalls.count = 0;
    gBalls.spin = 0.0f;
    std::vector<float> spins;
    for (int frame = 0; frame < 19; ++frame) {
        drawFrame();
        spins.push_back(gBalls.spin);
    }
    for (int k = 0; k < 19; ++k) {
        // 0, 20, ..., 340, then back to 0, never 360.
        EXPECT_EQ(spins[k], 20.0f * static_cast<float>((k + 1) % 18)) << "after picture " << k + 1;
    }
}

TEST_F(FrameGl, HeadsUpTextsInGreenAtTheirPlacesAndGameOverReplacesThem) {
    if (!fontsDraw()) GTEST_SKIP() << "no font face: printText draws nothing";
    gSession.score = 4000;
    framesPerSecond = 33.0f;
    auto px = render();
    EXPECT_GT(greenIn(px, 10, 10, 95, 29), 30) << "lives";
    EXPECT_GT(greenIn(px, 100, 10, 190, 29), 30) << "level";
    EXPECT_GT(greenIn(px, 200, 10, 320, 29), 30) << "score";
    EXPECT_GT(greenIn(px, 560, 8, 639, 20), 10) << "frame rate";
    EXPECT_EQ(greenIn(px, 0, 30, 639, 479), 0) << "nothing else is green";

    gSession.gameOver = 1;
    px = render();
    EXPECT_EQ(greenIn(px, 0, 10, 400, 29), 0) << "the heads-up line is gone";
    EXPECT_GT(greenIn(px, 300, 215, 639, 240), 50) << "GAME OVER";
    EXPECT_GT(greenIn(px, 300, 315, 639, 340), 50) << "final score";
}

TEST_F(FrameGl, CompletionLineNamesTheLevelJustFinishedButNotAfterGameOver) {
    if (!fontsDraw()) GTEST_SKIP() << "no font face: printText draws nothing";
    gSession.state = GameState::Playing;
    gSession.level = 2;
    gSession.levelChanging = 1;
    const auto changing = render();

    gSession.levelChanging = 0;
    drawFrame();
    beginOverlay();
    glColor3f(0.0f, 1.0f, 0.0f);
    printText(1, 300.0f, 240.0f, "Level 1 Complete");
    glColor3f(1.0f, 1.0f, 1.0f);
    endOverlay();
    glFinish();
    const auto byHand = grab();
    EXPECT_TRUE(changing == byHand) << "level 2 during the change shows \"Level 1 Complete\"";
    EXPECT_GT(greenIn(changing, 300, 215, 639, 240), 50);

    gSession.levelChanging = 1;
    gSession.gameOver = 1;
    const auto overAndChanging = render();
    gSession.levelChanging = 0;
    const auto over = render();
    EXPECT_TRUE(overAndChanging == over) << "the completion line shows over GAME OVER";
}

TEST_F(FrameGl, CreditsScrollUpFromTheBottomAndFitTheScreen) {
    if (!fontsDraw()) GTEST_SKIP() << "no font face: printText draws nothing";
    gSession.state = GameState::Playing;
    gSession.exiting = 1;
    gSession.creditsY = 480;
    auto px = render();
    EXPECT_GT(greenIn(px, 300, 455, 639, 479), 30) << "the first line stands on the bottom edge";
    EXPECT_EQ(greenIn(px, 300, 30, 639, 450), 0) << "the others are still below it";

    gSession.creditsY = 200;
    px = render();
    for (int baseline : {200, 254, 279, 304, 329}) {
        EXPECT_GT(greenIn(px, 300, baseline - 15, 639, baseline), 30) << "line at " << baseline;
        EXPECT_EQ(greenIn(px, 300, baseline - 15, 299, baseline), 0);
    }
    EXPECT_EQ(greenIn(px, 630, 30, 639, 479), 0) << "a line runs off the right edge";
}

TEST_F(FrameGl, APictureLeavesTheStateTheNextOneReliesOn) {
    // The program's first picture is the intro, which switches blending on for good.
    introActive = 1;
    gInput.keys[VK_ESCAPE] = 1;
    drawFrame();
    ASSERT_EQ(introActive, 0);

    // Every overlay element at once: menu, credits, game over, cursor mark.
    gWindowManager.init();
    gMainMenu.open();
    gSession.state = GameState::Menu;
    gSession.exiting = 1;
    gSession.gameOver = 1;
    gInput.showMenuCursor = 1;
    gInput.mouseX = 320;
    gInput.mouseY = 240;
    gBalls.count = 3;
    gBalls.spawn();
    GLint modelviewDepth = 0;
    GLint projectionDepth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelviewDepth);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionDepth);
    for (int picture = 0; picture < 3; ++picture) drawFrame();

    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, modelviewDepth);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, projectionDepth);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint texture = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    EXPECT_EQ(texture, 0);
    GLfloat colour[4] = {0, 0, 0, 0};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[1], 1.0f);
    EXPECT_EQ(colour[2], 1.0f);
    EXPECT_EQ(colour[3], 1.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
