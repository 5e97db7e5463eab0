// main_loop_test.cpp: window messages into input, click latching, frame pacing, start-up
// and shutdown of the whole program on the scripted platform.
#include <gtest/gtest.h>

#include "app/main_loop.h"
#include "app/platform_scripted.h"
#include "app/window.h"
#include "game/balls.h"
#include "game/playfield.h"
#include "game/session.h"
#include "support/harness.h"

namespace {

class MainLoopTest : public ::testing::Test {
protected:
    void SetUp() override { harness::resetGame(); }
};

// One frame step whose clock reads start at 0 and jump straight to `length`.
float fpsForFrameOf(u32 length) {
    scripted::setTickSource([length](u32 read) { return read == 0 ? 0u : length; });
    stepFrame();
    return framesPerSecond;
}

TEST_F(MainLoopTest, FrameRateFigures) {
    EXPECT_EQ(fpsForFrameOf(30), 33.0f);
    scripted::reset();
    EXPECT_EQ(fpsForFrameOf(31), 32.0f);
    scripted::reset();
    EXPECT_EQ(fpsForFrameOf(32), 31.0f);
    scripted::reset();
    EXPECT_EQ(fpsForFrameOf(40), 25.0f);
    scripted::reset();
    EXPECT_EQ(fpsForFrameOf(1000), 1.0f);
    scripted::reset();
    EXPECT_EQ(fpsForFrameOf(1001), 0.0f);
}

TEST_F(MainLoopTest, FrameStepWaitsThirtyMillisecondsAcrossTheClockWrap) {
    // A clock 10 ms before the wrap of its 32 bits: the wait must still end after 30 ms.
    scripted::setTicks(0xFFFFFFF6u);
    scripted::setTickStep(1);
    stepFrame();
    EXPECT_EQ(frameStartTicks, 0xFFFFFFF6u);
    EXPECT_EQ(scripted::ticks() - 0xFFFFFFF6u, 32u) << "start, 30 waits, one elapsed read";
    EXPECT_EQ(framesPerSecond, 32.0f);
}

TEST_F(MainLoopTest, OneMessagePerFrameStepAndClicksLatchForOneFrame) {
    harness::leftClick(100, 200);
    harness::leftClick(110, 210);
    harness::rightClick(5, 6);
    stepFrame();  // takes the first press
    EXPECT_EQ(gInput.leftPressed, 1);
    EXPECT_EQ(gInput.leftClicked, 0);
    EXPECT_EQ(scripted::pendingEvents(), 2u);
    stepFrame();  // latches it, takes the second press
    EXPECT_EQ(gInput.leftClicked, 1);
    EXPECT_EQ(gInput.leftPressed, 1);
    EXPECT_EQ(gInput.mouseX, 110);
    stepFrame();  // the second press is its own click; the right press arrives
    EXPECT_EQ(gInput.leftClicked, 1);
    EXPECT_EQ(gInput.rightClicked, 0);
    stepFrame();
    EXPECT_EQ(gInput.leftClicked, 0);
    EXPECT_EQ(gInput.rightClicked, 1);
    EXPECT_EQ(gInput.mouseX, 5);
    stepFrame();
    EXPECT_EQ(gInput.rightClicked, 0);

    // Two presses between two latches are one click.
    gInput.leftPressed = 1;
    gInput.leftPressed = 1;
    gInput.latchClicks();
    EXPECT_EQ(gInput.leftClicked, 1);
    gInput.latchClicks();
    EXPECT_EQ(gInput.leftClicked, 0);
}

TEST_F(MainLoopTest, MouseMovesMergeAndKeysStayDownUntilReleased) {
    harness::moveMouse(1, 1);
    harness::moveMouse(2, 2);
    harness::moveMouse(300, 400);
    harness::keyDown(VK_ESCAPE);
    stepFrame();
    EXPECT_EQ(gInput.mouseX, 300);
    EXPECT_EQ(gInput.mouseY, 400);
    stepFrame();
    EXPECT_EQ(gInput.keys[VK_ESCAPE], 1);
    stepFrame();
    stepFrame();
    EXPECT_EQ(gInput.keys[VK_ESCAPE], 1);
    harness::keyUp(VK_ESCAPE);
    stepFrame();
    EXPECT_EQ(gInput.keys[VK_ESCAPE], 0);
}

TEST_F(MainLoopTest, ResizeFollowsTheWindowAndAZeroHeightIsOne) {
    scripted::pushEvent({PlatformEventType::Resize, 0, 800, 600});
    stepFrame();
    EXPECT_EQ(gWindow.viewportWidth, 800);
    EXPECT_EQ(gWindow.viewportHeight, 600);
    scripted::pushEvent({PlatformEventType::Resize, 0, 640, 0});
    stepFrame();
    EXPECT_EQ(gWindow.viewportHeight, 1);
}

TEST_F(MainLoopTest, StartUpShowsTitleWithOneBallAndClosingEndsWithStatusOne) {
    ASSERT_TRUE(harness::startGame());
    EXPECT_EQ(gSession.state, GameState::Menu);
    EXPECT_EQ(gSession.creditsY, 480);
    EXPECT_EQ(gSession.level, 1);
    EXPECT_EQ(gSession.lives, 3);
    EXPECT_EQ(gSession.score, 0);
    EXPECT_EQ(gBalls.count, 1);
    EXPECT_FALSE(scripted::cursorVisible());
    EXPECT_GT(gPlayfield.countSolidCells(), 116) << "the title picture is on the field";
    EXPECT_EQ(cameraX, -15.0f);
    EXPECT_EQ(cameraY, 10.0f);
    EXPECT_EQ(cameraZ, -30.0f);

    // Close: one frame step takes the close request, the next the quit message.
    harness::runPasses(3);
    harness::closeWindow();
    const float ballXBefore = gBalls.balls[0].x;
    harness::runPasses(1);
    EXPECT_EQ(quitRequested, 0);
    harness::runPasses(1);
    EXPECT_EQ(quitRequested, 1);
    harness::runPasses(5);  // no further pass runs after the quit
    EXPECT_EQ(gBalls.balls[0].x, ballXBefore + 2 * gBalls.balls[0].vx);
}

TEST_F(MainLoopTest, WholeProgramReturnsOneAfterClose) {
    harness::closeWindow();
    EXPECT_EQ(runGame(), 1);
    EXPECT_FALSE(scripted::windowOpen());
    EXPECT_TRUE(scripted::boxes().empty());
}

TEST_F(MainLoopTest, FailedWindowShowsItsMessageReleasesAndEndsWithTwo) {
    struct Case {
        WindowOpenResult result;
        const char* text;
        const char* caption;
    };
    const Case cases[] = {
        {WindowOpenResult::WindowFailed, "Fenster konnte nicht erstellt werden.", "ERROR"},
        {WindowOpenResult::PixelFormatFailed, "Konnte kein passendes Pixelformat finden.", "ERROR"},
        {WindowOpenResult::ContextFailed, "Konnte keinen Rendering Context bekommen.", "Fehler"},
        {WindowOpenResult::MakeCurrentFailed, "Konnte den Rendering Context nmicht aktivieren.", "Fehler"},
    };
    for (const Case& c : cases) {
        harness::resetGame();
        scripted::failWindowOpen(c.result);
        EXPECT_EQ(runGame(), 2);
        ASSERT_EQ(scripted::boxes().size(), 1u);
        EXPECT_EQ(scripted::boxes()[0].text, c.text);
        EXPECT_EQ(scripted::boxes()[0].caption, c.caption);
        EXPECT_EQ(scripted::boxes()[0].flags, MB_OK | MB_ICONEXCLAMATION);
        EXPECT_FALSE(scripted::windowOpen()) << c.text;
        EXPECT_EQ(gWindow.videoUp, 0) << "released before the box shows";
    }

    harness::resetGame();
    scripted::failVideoInit(true);
    EXPECT_EQ(runGame(), 2);
    ASSERT_EQ(scripted::boxes().size(), 1u);
    EXPECT_EQ(scripted::boxes()[0].text, "Konnte die Fensterklasse nicht registrieren.");
}

TEST_F(MainLoopTest, FullscreenQuestion) {
    scripted::failDisplayMode(true);
    scripted::setYesNoAnswer(IDNO);
    EXPECT_FALSE(createGameWindow("t", 640, 480, 16, true));
    ASSERT_EQ(scripted::boxes().size(), 1u);
    EXPECT_EQ(scripted::boxes()[0].caption, "OpenGL");
    EXPECT_EQ(scripted::boxes()[0].flags, MB_YESNO | MB_ICONEXCLAMATION);
    EXPECT_FALSE(scripted::windowOpen());
    destroyGameWindow();

    harness::resetGame();
    scripted::failDisplayMode(true);
    scripted::setYesNoAnswer(IDYES);
    EXPECT_TRUE(createGameWindow("t", 640, 480, 16, true));
    EXPECT_EQ(gWindow.fullscreen, 0);
    EXPECT_TRUE(scripted::cursorVisible()) << "windowed mode keeps the cursor";
    destroyGameWindow();

    harness::resetGame();
    EXPECT_TRUE(createGameWindow("t", 640, 480, 16, true));
    EXPECT_FALSE(scripted::cursorVisible());
    destroyGameWindow();
    EXPECT_TRUE(scripted::cursorVisible()) << "shown again when the fullscreen window goes";
}

}  // namespace
