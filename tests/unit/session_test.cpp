// session_test.cpp: whole games through the real main loop: levels, lives, game over,
// the menu round trip and the camera transitions, frame by frame.
#include <gtest/gtest.h>

#include <vector>

#include "app/main_loop.h"
#include "app/window.h"
#include "game/balls.h"
#include "game/playfield.h"
#include "game/session.h"
#include "render/message_log.h"
#include "support/harness.h"
#include "ui/menu.h"
#include "ui/window_manager.h"

namespace {

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::resetGame();
        ASSERT_TRUE(harness::startGame());
        scripted::setSwapHook([this] { cameraTrace.push_back(cameraZ); });
    }
    // From the first menu into a running game, as a player does it.
    void newGame() {
        harness::leftClick(320, 180);
        for (int i = 0; i < 10 && gSession.state != GameState::Playing; ++i) harness::runPasses(1);
        ASSERT_EQ(gSession.state, GameState::Playing);
        cameraTrace.clear();
    }
    static void fillUpTo(int solid) {
        for (int x = 1; x < 29 && gPlayfield.countSolidCells() < solid; ++x) {
            for (int y = 1; y < 29 && gPlayfield.countSolidCells() < solid; ++y) gPlayfield.cells[x][y].solid = 1;
        }
    }
    std::vector<float> cameraTrace;
};

TEST_F(SessionTest, NewGameFromTheMenuApproachesAndReturns) {
    EXPECT_EQ(gSession.level, 1);
    harness::leftClick(320, 180);
    harness::runPasses(3);  // pumped, latched, pushed by the window update
    EXPECT_EQ(gSession.state, GameState::Menu);
    EXPECT_TRUE(gButtonQueue.contains(BUTTON_NEW_GAME));
    harness::runPasses(1);  // taken: approach, start, clear, return
    EXPECT_EQ(gSession.state, GameState::Playing);
    ASSERT_EQ(cameraTrace.size(), 3u + 30 + 30 + 1);
    EXPECT_EQ(cameraTrace[3 + 29], 0.0f);
    EXPECT_EQ(cameraTrace[3 + 59], -30.0f);
    EXPECT_EQ(gPlayfield.countSolidCells(), 116);
    EXPECT_EQ(gBalls.count, 1);
    EXPECT_EQ(gSession.lives, 3);
    EXPECT_EQ(gSession.score, 0);
}

TEST_F(SessionTest, CompletingLevelOneGivesBonusBallsLivesAndSixtyFramesOfCamera) {
    newGame();
    fillUpTo(806);
    harness::runPasses(1);
    EXPECT_EQ(gSession.level, 1) << "806 of 807 is not enough";
    fillUpTo(807);
    cameraTrace.clear();
    harness::runPasses(1);
    EXPECT_EQ(gSession.level, 2);
    EXPECT_EQ(gSession.score, 1000);
    EXPECT_EQ(gBalls.count, 2);
    EXPECT_EQ(gSession.lives, 4);
    EXPECT_EQ(gSession.levelChanging, 0);
    EXPECT_STREQ(gMessageLog.lines[MESSAGE_LOG_LINES - 1], "Levelwechsel");
    ASSERT_EQ(cameraTrace.size(), 61u) << "approach 30, return 30, then the pass's own frame";
    for (int i = 0; i < 30; ++i) EXPECT_EQ(cameraTrace[i], -29.0f + i);
    for (int i = 0; i < 30; ++i) EXPECT_EQ(cameraTrace[30 + i], -1.0f - i);
    EXPECT_EQ(gPlayfield.countSolidCells(), 116) << "the next level starts on a cleared field";

    // Level 2 needs 804; lives grow by one, and a player left with 1 or 2 lives gets 2 more.
    gSession.lives = 1;
    fillUpTo(804);
    harness::runPasses(1);
    EXPECT_EQ(gSession.level, 3);
    EXPECT_EQ(gSession.score, 1000 + 2000);
    EXPECT_EQ(gSession.lives, 4);
}

TEST_F(SessionTest, LevelsBeyondTwentyKeepTwentyBalls) {
    newGame();
    gSession.level = 20;
    fillUpTo(750);
    harness::runPasses(1);
    EXPECT_EQ(gSession.level, 21);
    EXPECT_EQ(gBalls.count, MAX_BALLS);
    harness::runPasses(20);
}

TEST_F(SessionTest, LosingTheLastLifeEndsTheGameInTheSameFrame) {
    newGame();
    gSession.score = 7000;
    gSession.lives = 1;
    harness::clearFieldNoBalls();
    gBalls.count = 1;
    gPlayfield.startWall(10, 15, Orientation::Vertical);
    harness::placeBall(0, 11.25f, 15.5f, -0.25f, 0.25f);
    harness::runPasses(1);  // the ball touches the wall
    EXPECT_EQ(gPlayfield.wallHit, 1);
    cameraTrace.clear();
    harness::runPasses(1);  // the wall goes, the last life with it, and the game ends
    EXPECT_EQ(gSession.state, GameState::Menu);
    EXPECT_EQ(gSession.level, 1);
    EXPECT_EQ(gSession.lives, 3);
    EXPECT_EQ(gSession.score, 7000) << "the final score stays on screen";
    EXPECT_EQ(gSession.gameOver, 0);
    EXPECT_EQ(gBalls.count, 3);
    EXPECT_EQ(gMainMenu.resumeAllowed, 0);
    EXPECT_EQ(cameraTrace.size(), 61u);
    // The game-over picture is on the field.
    Playfield expected = gPlayfield;
    expected.loadPattern("data/over.dat");
    for (int x = 0; x < FIELD_SIZE; ++x) {
        for (int y = 0; y < FIELD_SIZE; ++y) ASSERT_EQ(gPlayfield.cells[x][y].solid, expected.cells[x][y].solid);
    }
    // The menu offers no resume: a click in its band does nothing.
    harness::leftClick(320, 250);
    harness::runPasses(5);
    EXPECT_EQ(gSession.state, GameState::Menu);
    // A new game starts from 0.
    newGame();
    EXPECT_EQ(gSession.score, 0);
}

TEST_F(SessionTest, EscapeFreezesTheWallWhileBallsMoveAndResumeContinuesIt) {
    newGame();
    harness::clearFieldNoBalls();
    harness::placeBall(0, 20.5f, 20.5f, 0.25f, 0.25f);
    gPlayfield.selectedOrientation = Orientation::Horizontal;
    harness::leftClick(5 * 21 + 5, 480 - (5 * 16 + 8));
    harness::runPasses(3);
    ASSERT_EQ(gPlayfield.building, 1);
    harness::keyDown(VK_ESCAPE);
    harness::runPasses(2);
    ASSERT_EQ(gSession.state, GameState::Menu);
    EXPECT_EQ(gMainMenu.resumeAllowed, 1);
    harness::keyUp(VK_ESCAPE);
    const int endHigh = gPlayfield.endHigh;
    const float ballX = gBalls.balls[0].x;
    harness::runPasses(4);
    EXPECT_EQ(gPlayfield.endHigh, endHigh) << "the wall does not grow in the menu";
    EXPECT_NE(gBalls.balls[0].x, ballX) << "the balls go on";
    // Resume: the band between new game and exit.
    harness::leftClick(300, 250);
    harness::runPasses(4);
    EXPECT_EQ(gSession.state, GameState::Playing);
    harness::runPasses(2);
    EXPECT_GT(gPlayfield.endHigh, endHigh);
}

TEST_F(SessionTest, EscapeHeldAfterResumeReopensTheMenuAtOnce) {
    newGame();
    harness::keyDown(VK_ESCAPE);
    harness::runPasses(2);
    ASSERT_EQ(gSession.state, GameState::Menu);
    gButtonQueue.push(BUTTON_RESUME);
    harness::runPasses(1);
    EXPECT_EQ(gSession.state, GameState::Playing);
    harness::runPasses(1);
    EXPECT_EQ(gSession.state, GameState::Menu);
    EXPECT_EQ(gMainMenu.resumeAllowed, 1);
}

TEST_F(SessionTest, ExitCreditsEndOnClickOnEscapeOrAfter780Passes) {
    gSession.state = GameState::Playing;
    harness::leftClick(10, 10);
    gSession.runTransition(Transition::Exit);
    EXPECT_EQ(quitRequested, 1);
    EXPECT_EQ(gSession.exiting, 1);
    EXPECT_EQ(gSession.creditsY, 477) << "pumped, latched, acted on";

    harness::resetGame();
    gSession.creditsY = 480;
    harness::keyDown(VK_ESCAPE);
    gSession.runTransition(Transition::Exit);
    EXPECT_EQ(gSession.creditsY, 478);

    harness::resetGame();
    gSession.creditsY = 480;
    gSession.runTransition(Transition::Exit);
    EXPECT_EQ(gSession.creditsY, -300);
    EXPECT_EQ(cameraZ, -30.0f - 780.0f);
    EXPECT_EQ(scripted::swaps(), 780u);

    // The exit button, through the menu, ends the whole program with status 1.
    harness::resetGame();
    harness::leftClick(320, 315);
    EXPECT_EQ(runGame(), 1);
    EXPECT_EQ(gSession.creditsY, -300);
}

TEST_F(SessionTest, ClosingTheWindowDuringTheCreditsEndsThemAtOnce) {
    harness::resetGame();
    gSession.creditsY = 480;
    harness::closeWindow();
    gSession.runTransition(Transition::Exit);
    EXPECT_GT(gSession.creditsY, 470);
    EXPECT_EQ(quitRequested, 1);
}

}  // namespace
