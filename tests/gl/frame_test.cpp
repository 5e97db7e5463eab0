// frame_test.cpp: the game picture as the player sees it, and the GL state it leaves behind.
#include "game/game.h"
#include "app/frame_step.h"
#include "app/window.h"
#include "core/input.h"
#include "render/frame.h"
#include "gl/scene_fixture.h"
#include "ui/menu.h"
#include "ui/window_manager.h"

namespace {

// The floor picture's four corners, the sides' bottom and top rows, the tops' four corners.
const Rgb FLOOR_NEAR_LEFT{255, 0, 0}, FLOOR_NEAR_RIGHT{0, 255, 128}, FLOOR_FAR_LEFT{0, 0, 255}, FLOOR_FAR_RIGHT{255, 255, 0};
const Rgb SIDE_BOTTOM{255, 0, 255}, SIDE_TOP{0, 255, 255};
const Rgb TOP_NEAR_LEFT{128, 0, 0}, TOP_NEAR_RIGHT{0, 128, 0}, TOP_FAR_LEFT{0, 0, 128}, TOP_FAR_RIGHT{128, 128, 0};
const Rgb BALL{255, 255, 255}, MARK_HORIZONTAL{255, 128, 0}, MARK_VERTICAL{128, 0, 255};

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
        gGame.session.cameraX = -15.0f;
        gGame.session.cameraY = 10.0f;
        gRender.introActive = 0;
        gGame.playfield.clear();
        gGame.playfield.cursorX = gGame.playfield.cursorY = 15;
        gGame.session.level = 1;
        gGame.session.lives = 3;
    }
    // Pure green pixels (the overlay text colour) in a box of the screen.
    static int greenIn(const std::vector<unsigned char>& px, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const Rgb c = at(px, x, y);
                n += c[1] > 200 && c[0] < 40 && c[2] < 40;
            }
        }
        return n;
    }
};

TEST_F(FrameGl, OpenFieldShowsUprightFloorBorderTopsAndTheFacesTowardTheViewer) {
    const auto px = render();
    // The floor picture is stretched once over the field, its first row at the near edge;
    // the tops share one picture over the whole field; side faces stand upright, the
    // picture's first row at the floor: the near row's fronts and the inner faces.
    const std::pair<std::array<double, 3>, Rgb> points[] = {
        {{7.5, 7.5, 0}, FLOOR_NEAR_LEFT}, {{22.5, 7.5, 0}, FLOOR_NEAR_RIGHT}, {{7.5, 22.5, 0}, FLOOR_FAR_LEFT},
        {{22.5, 22.5, 0}, FLOOR_FAR_RIGHT}, {{0.5, 0.5, 1}, TOP_NEAR_LEFT}, {{29.5, 0.5, 1}, TOP_NEAR_RIGHT},
        {{0.5, 29.5, 1}, TOP_FAR_LEFT}, {{29.5, 29.5, 1}, TOP_FAR_RIGHT}, {{0.5, 0, 0.2}, SIDE_BOTTOM},
        {{0.5, 0, 0.8}, SIDE_TOP}, {{10.5, 0, 0.2}, SIDE_BOTTOM}, {{29.5, 0, 0.8}, SIDE_TOP},
        {{15.5, 29, 0.2}, SIDE_BOTTOM}, {{1, 15.5, 0.2}, SIDE_BOTTOM}, {{29, 15.5, 0.8}, SIDE_TOP},
    };
    for (const auto& [p, colour] : points) EXPECT_EQ(seen(px, p[0], p[1], p[2]), colour) << p[0] << ", " << p[1] << ", " << p[2];
}

TEST_F(FrameGl, GrowingWallsLookExactlyLikeFinishedOnes) {
    for (int x = 5; x <= 12; ++x) gGame.playfield.cells[x][14].solid = 1;
    for (int y = 15; y <= 20; ++y) gGame.playfield.cells[8][y].solid = 1;
    const auto finished = render();
    for (int x = 5; x <= 12; ++x) gGame.playfield.cells[x][14] = Cell{0, 1};
    for (int y = 15; y <= 20; ++y) gGame.playfield.cells[8][y] = Cell{0, 1};
    EXPECT_TRUE(render() == finished) << "growing and finished walls differ";
}

TEST_F(FrameGl, CursorMarkerLiesOnABlockTopOrOnTheFloorAndShowsTheOrientation) {
    gGame.playfield.cells[10][10].solid = 1;
    gGame.playfield.cursorX = gGame.playfield.cursorY = 10;
    gGame.playfield.selectedOrientation = Orientation::Vertical;
    auto px = render();
    EXPECT_EQ(seen(px, 10.5, 10.5, 1), MARK_VERTICAL) << "on top of the block";
    EXPECT_EQ(seen(px, 10.5, 10, 0.2), SIDE_BOTTOM) << "the block's front stays visible";

    gGame.playfield.cursorX = gGame.playfield.cursorY = 12;
    gGame.playfield.selectedOrientation = Orientation::Horizontal;
    px = render();
    EXPECT_EQ(seen(px, 12.5, 12.5, 0), MARK_HORIZONTAL) << "on the floor of an open cell";
    EXPECT_EQ(seen(px, 12.5, 12.5, 1), MARK_HORIZONTAL) << "and floating at wall height";
    EXPECT_EQ(seen(px, 10.5, 10.5, 1), TOP_NEAR_LEFT) << "the old cell shows its plain top again";
}

TEST_F(FrameGl, BallsRollAndSpinAdvancesOncePerPicture) {
    gGame.balls.count = 1;
    gGame.balls.spawn();
    gGame.balls.balls[0] = Ball{10.0f, 10.0f, 0.25f, -0.25f};
    auto px = render();
    EXPECT_EQ(seen(px, 10, 10, 0.2), BALL);
    EXPECT_EQ(gGame.balls.spin, 20.0f);
    gGame.balls.count = 0;  // no ball, but the spin still turns
    px = render();
    EXPECT_EQ(seen(px, 10, 10, 0.2), FLOOR_NEAR_LEFT);
    EXPECT_EQ(gGame.balls.spin, 40.0f);
}

TEST_F(FrameGl, TextsInGreenAtTheirPlacesForHudGameOverAndLevelChange) {
    gGame.session.state = GameState::Playing;
    gGame.session.score = 4000;
    gFrameClock.framesPerSecond = 33.0f;
    auto px = render();
    for (int x : {10, 100, 200}) EXPECT_GT(greenIn(px, x, 10, x + 85, 29), 30) << "lives, level, score at " << x;
    EXPECT_GT(greenIn(px, 560, 8, 639, 20), 10) << "frame rate";
    EXPECT_EQ(greenIn(px, 0, 30, 639, 479), 0) << "nothing else is green";

    gGame.session.gameOver = 1;
    px = render();
    EXPECT_EQ(greenIn(px, 0, 10, 400, 29), 0) << "the heads-up line is gone";
    EXPECT_GT(greenIn(px, 300, 215, 639, 240), 50) << "GAME OVER";
    EXPECT_GT(greenIn(px, 300, 315, 639, 340), 50) << "final score";
    gGame.session.levelChanging = 1;
    EXPECT_TRUE(render() == px) << "no completion line over GAME OVER";

    // During the change the session is already on level 2: the line names level 1.
    gGame.session.gameOver = 0;
    gGame.session.level = 2;
    const auto changing = render();
    gGame.session.levelChanging = 0;
    drawFrame();
    beginOverlay();
    glColor3f(0.0f, 1.0f, 0.0f);
    printText(1, 300.0f, 240.0f, "Level 1 Complete");
    glColor3f(1.0f, 1.0f, 1.0f);
    endOverlay();
    EXPECT_TRUE(changing == grab()) << "level 2 during the change shows \"Level 1 Complete\"";
}

TEST_F(FrameGl, APictureLeavesTheStateTheNextOneReliesOn) {
    gRender.introActive = 1;  // the program's first picture is the intro, which sets blending up for good
    gInput.keys[VK_ESCAPE] = 1;
    drawFrame();
    ASSERT_EQ(gRender.introActive, 0);
    // Every overlay element at once: menu, credits, game over, cursor mark.
    gUi.menu.open();
    gGame.session.state = GameState::Menu;
    gGame.session.exiting = gGame.session.gameOver = gInput.showMenuCursor = 1;
    gInput.mouseX = 320;
    gInput.mouseY = 240;
    gGame.balls.count = 3;
    gGame.balls.spawn();
    GLint modelviewDepth = 0, projectionDepth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelviewDepth);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionDepth);
    for (int picture = 0; picture < 3; ++picture) drawFrame();
    const std::pair<GLenum, GLint> expected[] = {{GL_MODELVIEW_STACK_DEPTH, modelviewDepth},
                                                 {GL_PROJECTION_STACK_DEPTH, projectionDepth},
                                                 {GL_MATRIX_MODE, GL_MODELVIEW},
                                                 {GL_TEXTURE_BINDING_2D, 0}};
    for (const auto& [what, value] : expected) {
        GLint now = -1;
        glGetIntegerv(what, &now);
        EXPECT_EQ(now, value) << std::hex << what;
    }
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && glIsEnabled(GL_BLEND) && glIsEnabled(GL_TEXTURE_2D));
    GLfloat colour[4] = {0, 0, 0, 0};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_TRUE(colour[0] == 1.0f && colour[1] == 1.0f && colour[2] == 1.0f && colour[3] == 1.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
