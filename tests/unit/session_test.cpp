// session_test.cpp: levels, lives, game over and credits through the real main loop.
#include <gtest/gtest.h>

#include <vector>

#include "app/main_loop.h"
#include "app/frame_step.h"
#include "app/window.h"
#include "core/input.h"
#include "render/frame.h"
#include "game/game.h"
#include "support/harness.h"
#include "ui/menu.h"

namespace {

class SessionTest : public ::testing::Test {
protected:
    // From the first menu into a running game, as a player does it.
    void SetUp() override {
        harness::resetGame();
        ASSERT_TRUE(harness::startGame());
        harness::leftClick(320, 180);
        for (int i = 0; i < 10 && gGame.session.state != GameState::Playing; ++i) harness::runPasses(1);
        ASSERT_EQ(gGame.session.state, GameState::Playing);
        scripted::setSwapHook([this] { cameraTrace.push_back(gGame.session.cameraZ); });
    }
    void TearDown() override { scripted::setSwapHook(nullptr); }
    static void fillUpTo(int solid) {
        for (int x = 1; x < 29; ++x) {
            for (int y = 1; y < 29 && gGame.playfield.countSolidCells() < solid; ++y) gGame.playfield.cells[x][y].solid = 1;
        }
    }
    std::vector<float> cameraTrace;
};

TEST_F(SessionTest, CompletingALevelGivesBonusBallsLivesAndSixtyFramesOfCamera) {
    fillUpTo(806);
    harness::runPasses(1);
    EXPECT_EQ(gGame.session.level, 1) << "806 of 807 is not enough";
    fillUpTo(807);
    cameraTrace.clear();
    harness::runPasses(1);
    EXPECT_EQ(gGame.session.level, 2);
    EXPECT_EQ(gGame.session.score, 1000);
    EXPECT_EQ(gGame.balls.count, 2);
    EXPECT_EQ(gGame.session.lives, 4);
    ASSERT_EQ(cameraTrace.size(), 61u) << "approach 30, return 30, then the pass's own frame";
    for (int i = 0; i < 60; ++i) EXPECT_EQ(cameraTrace[i], i < 30 ? -29.0f + i : 29.0f - i) << i;
    EXPECT_EQ(gGame.playfield.countSolidCells(), 116) << "the next level starts on a cleared field";

    gGame.session.lives = 1;  // level 2 needs 804; a player left with 1 or 2 lives gets 2 more
    fillUpTo(804);
    harness::runPasses(1);
    EXPECT_EQ(gGame.session.level, 3);
    EXPECT_EQ(gGame.session.score, 1000 + 2000);
    EXPECT_EQ(gGame.session.lives, 4);

    gGame.session.level = 20;  // past level 20 the ball count stays at the table's 20
    fillUpTo(750);
    harness::runPasses(1);
    EXPECT_EQ(gGame.session.level, 21);
    EXPECT_EQ(gGame.balls.count, MAX_BALLS);
    harness::runPasses(20);
}

TEST_F(SessionTest, LosingTheLastLifeEndsTheGameInTheSameFrame) {
    gGame.session.score = 7000;
    gGame.session.lives = 1;
    harness::clearFieldNoBalls();
    gGame.playfield.startWall(10, 15, Orientation::Vertical);
    harness::placeBall(0, 11.25f, 15.5f, -0.25f, 0.25f);
    harness::runPasses(1);  // the ball touches the wall
    cameraTrace.clear();
    harness::runPasses(1);  // the wall goes, the last life with it, and the game ends
    EXPECT_EQ(gGame.session.state, GameState::Menu);
    EXPECT_EQ(gGame.session.score, 7000) << "the final score stays on screen";
    EXPECT_EQ(gUi.menu.resumeAllowed, 0);
    EXPECT_EQ(cameraTrace.size(), 61u);
    EXPECT_GT(gGame.playfield.countSolidCells(), 116) << "the game-over picture";
    harness::leftClick(320, 250);  // no resume: a click in its band does nothing
    harness::runPasses(5);
    EXPECT_EQ(gGame.session.state, GameState::Menu);
    harness::leftClick(320, 180);
    harness::runPasses(4);
    EXPECT_EQ(gGame.session.state, GameState::Playing);
    EXPECT_EQ(gGame.session.score, 0) << "a new game starts from 0";
}

TEST_F(SessionTest, CreditsEndOnClickEscapeOrCloseOrAfter780Passes) {
    const struct Case {
        const char* name;
        PlatformEventType event;
        i32 key;
        int creditsY;  // where they stopped: a click is pumped, latched and acted on
    } cases[] = {{"click", PlatformEventType::LeftDown, 0, 477}, {"Escape", PlatformEventType::KeyDown, VK_ESCAPE, 478},
                 {"close", PlatformEventType::Close, 0, 477}, {"nothing", PlatformEventType::Quit, -1, -300}};
    for (const Case& c : cases) {
        harness::resetGame();
        gGame.session.creditsY = 480;
        if (c.key >= 0) scripted::pushEvent({c.event, c.key, 10, 10});
        gGame.session.runTransition(Transition::Exit);
        EXPECT_EQ(gInput.quitRequested, 1) << c.name;
        EXPECT_EQ(gGame.session.creditsY, c.creditsY) << c.name;
    }
    EXPECT_EQ(gGame.session.cameraZ, -30.0f - 780.0f);
    EXPECT_EQ(scripted::swaps(), 780u);

    harness::resetGame();  // the exit button ends the whole program with status 1
    harness::leftClick(320, 315);
    EXPECT_EQ(runGame({}), 1);
    EXPECT_EQ(gGame.session.creditsY, -300);
}

}  // namespace
