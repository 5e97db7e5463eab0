// frame_test.cpp: the game picture as the player sees it, and the GL state it leaves behind.
#include <string>

#include "app/controls.h"
#include "app/phases.h"
#include "game/game.h"
#include "gl/gl_context.h"
#include "media/textures.h"
#include "render/font.h"
#include "ui/menu.h"

namespace {

// The floor picture's four corners, the sides' bottom and top rows, the tops' four corners.
const Rgb FLOOR_NEAR_LEFT{255, 0, 0}, FLOOR_NEAR_RIGHT{0, 255, 128}, FLOOR_FAR_LEFT{0, 0, 255}, FLOOR_FAR_RIGHT{255, 255, 0};
const Rgb SIDE_BOTTOM{255, 0, 255}, SIDE_TOP{0, 255, 255};
const Rgb TOP_NEAR_LEFT{128, 0, 0}, TOP_NEAR_RIGHT{0, 128, 0}, TOP_FAR_LEFT{0, 0, 128}, TOP_FAR_RIGHT{128, 128, 0};
const Rgb BALL{200, 200, 200}, MARK_HORIZONTAL{255, 128, 0}, MARK_VERTICAL{128, 0, 255};
const Rgb MENU{60, 60, 60}, NEW_TOP{200, 0, 100}, NEW_BOTTOM{100, 0, 200}, RESUME{0, 200, 100}, EXIT{0, 100, 200};

class FrameGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        makeTexture(TEX_FLOOR, 2, 2, {FLOOR_NEAR_LEFT, FLOOR_NEAR_RIGHT, FLOOR_FAR_LEFT, FLOOR_FAR_RIGHT});
        makeTexture(TEX_WALL_TOP, 2, 2, {TOP_NEAR_LEFT, TOP_NEAR_RIGHT, TOP_FAR_LEFT, TOP_FAR_RIGHT});
        makeTexture(TEX_WALL_SIDE, 1, 2, {SIDE_BOTTOM, SIDE_TOP});
        makeTexture(TEX_MENU_NEW, 1, 2, {NEW_BOTTOM, NEW_TOP});
        const std::pair<GLuint, Rgb> flat[] = {{TEX_BALL, BALL}, {TEX_CURSOR_HORIZONTAL, MARK_HORIZONTAL}, {TEX_CURSOR_VERTICAL, MARK_VERTICAL},
                                               {TEX_MENU, MENU}, {TEX_MENU_RESUME, RESUME}, {TEX_MENU_EXIT, EXIT}};
        for (const auto& [id, colour] : flat) makeTexture(id, 1, 1, {colour});
        gFlow.picture = Picture{};  // the game picture
        gGame.playfield.clear();
        gGame.playfield.cursorX = gGame.playfield.cursorY = 15;
        gGame.session.level = 1, gGame.session.lives = 3;
    }
    struct Text {
        int font;
        float x, y;
        std::string text;
    };
    // The picture as it should read: the scene, then these texts in pure green over it,
    // untouched by the grey ball picture the scene leaves bound.
    static Pixels expected(const std::vector<Text>& texts) {
        drawGameScene(gGame, gFlow.picture.ballSpin, DrawArea{});
        beginOverlay();
        glBindTexture(GL_TEXTURE_2D, 0);
        glColor3f(0.0f, 1.0f, 0.0f);
        for (const Text& t : texts) printText(t.font, t.x, t.y, "%s", t.text.c_str());
        glColor3f(1.0f, 1.0f, 1.0f);
        endOverlay();
        return grab();
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

TEST_F(FrameGl, GrowingWallsLookFinishedTheMarkerShowsTheOrientationBallsShowWhereTheyAre) {
    for (int x = 5; x <= 12; ++x) gGame.playfield.cells[x][14].solid = 1;
    for (int y = 15; y <= 20; ++y) gGame.playfield.cells[8][y].solid = 1;
    const Pixels finished = render();
    for (int x = 5; x <= 12; ++x) gGame.playfield.cells[x][14] = Cell{0, 1};
    for (int y = 15; y <= 20; ++y) gGame.playfield.cells[8][y] = Cell{0, 1};
    EXPECT_TRUE(render() == finished) << "growing and finished walls differ";

    gGame.playfield.cells[10][10].solid = 1;
    gGame.playfield.cursorX = gGame.playfield.cursorY = 10;
    gGame.playfield.selectedOrientation = Orientation::Vertical;
    Pixels px = render();
    EXPECT_EQ(seen(px, 10.5, 10.5, 1), MARK_VERTICAL) << "on top of the block";
    EXPECT_EQ(seen(px, 10.5, 10, 0.2), SIDE_BOTTOM) << "its front still shows";

    gGame.playfield.cursorX = gGame.playfield.cursorY = 12;
    gGame.playfield.selectedOrientation = Orientation::Horizontal;
    gGame.balls.count = 1;
    gGame.balls.balls[0] = Ball{12.0f, 8.0f, 0.25f, -0.25f};
    px = render();
    EXPECT_EQ(seen(px, 12.5, 12.5, 0), MARK_HORIZONTAL) << "on the floor of an open cell";
    EXPECT_EQ(seen(px, 12.5, 12.5, 1), MARK_HORIZONTAL) << "and floating at wall height";
    EXPECT_EQ(seen(px, 10.5, 10.5, 1), TOP_NEAR_LEFT) << "the old cell shows its plain top again";
    EXPECT_TRUE(seen(px, 12, 8, 0.2) == BALL && seen(px, 8, 12, 0.2) == FLOOR_NEAR_LEFT) << "the ball at x 12, y 8";
}

TEST_F(FrameGl, TextsReadWhatThePlayerNeedsWhereHeLooks) {
    gGame.session.state = GameState::Playing;
    gGame.session.score = 4000;
    gFrameClock.framesPerSecond = 33.0f;
    const Text fps{0, 560, 20, "FPS: 33.0"}, lives{1, 10, 29, "lives 3"}, score{1, 200, 29, "score 4000"};
    EXPECT_TRUE(render() == expected({fps, lives, score, {1, 100, 29, "level 1"}})) << "playing";

    gGame.session.gameOver = true;
    const Pixels over = expected({fps, {1, 300, 240, "GAME OVER :-("}, {1, 300, 340, "score 4000"}});
    EXPECT_TRUE(render() == over) << "game over";
    gGame.session.levelChanging = true;
    EXPECT_TRUE(render() == over) << "no completion line over GAME OVER";

    // During the change the session is already on level 2: the line names level 1.
    gGame.session.gameOver = false;
    gGame.session.level = 2;
    EXPECT_TRUE(render() == expected({fps, {1, 300, 240, "Level 1 Complete"}, lives, score, {1, 100, 29, "level 2"}}))
        << "level change";

    gGame.session.levelChanging = false;
    gGame.session.exiting = true;
    gGame.session.creditsY = 100;
    EXPECT_TRUE(render() == expected({fps, {1, 300, 100, "Fendwall V.0.9.1"}, {1, 300, 154, "Fendwall " FENDWALL_VERSION " for Linux"},
                                      {1, 300, 179, "News: project repository"}, {1, 300, 204, "Bugs? Please file an issue"},
                                      {1, 300, 229, "Thank you for playing!"}, lives, score, {1, 100, 29, "level 2"}}))
        << "credits";
}

TEST_F(FrameGl, MenuShowsItsButtonPicturesUprightAndTheCursorMarkFollowsTheMouse) {
    GLint modelviewDepth = 0, projectionDepth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelviewDepth);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionDepth);
    gGame.session.state = GameState::Menu;
    gUi.menu.open(gUi.manager);
    gInput.mouseX = 500;
    gInput.mouseY = 400;
    const Pixels plain = render();
    EXPECT_TRUE(at(plain, 320, 150) == NEW_TOP && at(plain, 320, 210) == NEW_BOTTOM && at(plain, 320, 320) == EXIT);
    EXPECT_EQ(at(plain, 320, 250), MENU) << "no resume in the first menu";
    beginOverlay();  // the cursor mark: a white x of the large font just below the mouse
    printText(1, 496, 404, "x");
    endOverlay();
    const Pixels marked = grab();
    gInput.showMenuCursor = true;
    EXPECT_TRUE(render() == marked && marked != plain) << "the cursor mark";

    gUi.manager.deleteWindow(gUi.menu.windowIndex);
    gUi.menu.resumeAllowed = true;
    gUi.menu.open(gUi.manager);
    gInput.showMenuCursor = false;
    const Pixels px = render();
    EXPECT_TRUE(at(px, 320, 250) == RESUME && at(px, 320, 320) == EXIT);
    for (int i = 0; i < 30 * 25; ++i) ASSERT_EQ(at(px, 490 + i % 25, 380 + i / 25), at(plain, 490 + i % 25, 380 + i / 25)) << "no mark";

    // What the next picture relies on: white, depth test on, matrices where they were, no
    // texture bound, no error.
    const std::pair<GLenum, GLint> state[] = {{GL_MODELVIEW_STACK_DEPTH, modelviewDepth}, {GL_PROJECTION_STACK_DEPTH, projectionDepth},
                                              {GL_MATRIX_MODE, GL_MODELVIEW}, {GL_TEXTURE_BINDING_2D, 0}};
    for (const auto& [what, value] : state) {
        GLint now = -1;
        glGetIntegerv(what, &now);
        EXPECT_EQ(now, value) << std::hex << what;
    }
    GLfloat colour[4] = {0, 0, 0, 0};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_TRUE(colour[0] == 1.0f && colour[1] == 1.0f && colour[2] == 1.0f && glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
