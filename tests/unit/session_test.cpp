// session_test.cpp: levels, lives, score, sounds, game over and credits through the real main loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/main_loop.h"
#include "app/phases.h"
#include "app/tape.h"
#include "game/game.h"
#include "platform/scripted/audio_scripted.h"
#include "support/harness.h"
#include "ui/menu.h"

namespace {

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::resetGame();
        harness::startPlaying();
        ASSERT_EQ(gGame.session.state, GameState::Playing);
        scripted::setSwapHook(
            [this] { cameraTrace.push_back(gGame.session.cameraZ), solidTrace.push_back(gGame.playfield.countSolidCells()); });
    }
    void TearDown() override { scripted::setSwapHook(nullptr); }
    static void fillUpTo(int solid) {
        for (int x = 1; x < 29; ++x) {
            for (int y = 1; y < 29 && gGame.playfield.countSolidCells() < solid; ++y) gGame.playfield.cells[x][y].solid = 1;
        }
    }
    static int plays(const std::string& what) {
        const auto& p = scriptedAudio::played();
        return static_cast<int>(std::count(p.begin(), p.end(), what));
    }
    std::vector<float> cameraTrace;
    std::vector<int> solidTrace;
};

TEST_F(SessionTest, CompletingALevelGivesBonusBallsLivesAndSixtyFramesOfCamera) {
    EXPECT_EQ(gGame.session.lives, 3);
    EXPECT_EQ(plays("music:data/sound/0"), 1) << "the music, once, from the start";
    fillUpTo(806);
    harness::runPasses(1);
    EXPECT_EQ(gGame.session.level, 1) << "806 of 807 is not enough";
    fillUpTo(807);
    cameraTrace.clear(), solidTrace.clear();
    harness::runUntilPlayOrMenu();
    EXPECT_TRUE(gGame.session.level == 2 && gGame.session.score == 1000 && gGame.balls.count == 2);
    EXPECT_EQ(gGame.session.lives, 4) << "one more, no more with four";
    ASSERT_EQ(cameraTrace.size(), 61u) << "approach 30, return 30, then the pass's own frame";
    for (int i = 0; i < 60; ++i) EXPECT_EQ(cameraTrace[i], i < 30 ? -29.0f + i : 29.0f - i) << i;
    EXPECT_TRUE(solidTrace[29] >= 807 && solidTrace[30] == 116) << "the field clears where the camera turns back";
    EXPECT_EQ(gGame.playfield.countSolidCells(), 116) << "the next level starts on a cleared field";

    gGame.session.lives = 2;  // level 2 needs 804; a player with three lives or fewer gets two more
    fillUpTo(804);
    harness::runUntilPlayOrMenu();
    EXPECT_TRUE(gGame.session.level == 3 && gGame.session.score == 1000 + 2000 && gGame.session.lives == 5);

    gGame.session.level = 20;  // past level 20 the ball count stays at the table's 20
    fillUpTo(750);
    harness::runUntilPlayOrMenu();
    EXPECT_TRUE(gGame.session.level == 21 && gGame.balls.count == MAX_BALLS);
    harness::runPasses(200);
    EXPECT_GT(plays("sample:data/sound/wand.wav"), 0) << "twenty balls bounce, and are heard";
}

TEST_F(SessionTest, LosingTheLastLifeEndsTheGameInTheSameFrame) {
    harness::clearFieldNoBalls();
    gGame.session.score = 7000, gGame.session.lives = 1;
    gGame.playfield.startWall(10, 15, Orientation::Vertical);
    harness::placeBall(0, 11.25f, 15.5f, -0.25f, 0.25f);
    harness::keyDown(VK_ESCAPE);  // held as the last life goes: still one menu, without Resume
    harness::runPasses(1);  // the ball touches the wall
    cameraTrace.clear();
    harness::runUntilPlayOrMenu();  // the wall goes, the last life with it, and the game ends
    EXPECT_EQ(plays("sample:data/sound/bombe_explodiert.wav"), 1);
    EXPECT_TRUE(gGame.session.state == GameState::Menu && harness::openWindows() == 1 && !gUi.menu.resumeAllowed);
    EXPECT_EQ(gGame.session.score, 7000) << "the final score stays on screen";
    harness::keyUp(VK_ESCAPE);
    EXPECT_EQ(cameraTrace.size(), 61u);
    EXPECT_GT(gGame.playfield.countSolidCells(), 116) << "the game-over picture";
    EXPECT_EQ(gGame.balls.count, 3) << "three balls behind the game-over menu";
    harness::leftClick(harness::MENU_X, harness::RESUME_Y);  // no resume: a click in its band does nothing
    harness::runPasses(5);
    EXPECT_EQ(gGame.session.state, GameState::Menu);
    harness::leftClick(harness::MENU_X, harness::NEW_GAME_Y);
    harness::runUntilPlaying();
    EXPECT_TRUE(gGame.session.state == GameState::Playing && gGame.session.score == 0) << "a new game starts from 0";
    EXPECT_EQ(gGame.playfield.countSolidCells(), 116) << "on a cleared field";
}

// New Game from Escape's menu keeps a wall still growing (Resume is played by the golden games).
TEST_F(SessionTest, ANewGameFromEscapesMenuKeepsAWallStillGrowing) {
    gGame.playfield.startWall(20, 20, Orientation::Vertical);
    harness::keyDown(VK_ESCAPE);
    harness::runPasses(2);
    EXPECT_TRUE(gGame.session.state == GameState::Menu && gUi.menu.resumeAllowed && harness::openWindows() == 1);
    harness::keyUp(VK_ESCAPE);
    harness::leftClick(harness::MENU_X, harness::NEW_GAME_Y);
    harness::runUntilPlaying();
    EXPECT_TRUE(gGame.session.state == GameState::Playing && gGame.session.score == 0 && gGame.playfield.building);
}

// One whole game as a player meets it, frame by frame: what each picture belongs to, and how
// many frame steps and swaps each stretch takes. The figures are the game's as it has always
// played; a change to how the frames are driven must leave every one of them alone.
TEST(Phases, AWholeGameTakesTheSameFrameStepsAndSwapsInEveryStretch) {
    harness::resetGame();
    bool introShown = true;  // the picture just swapped was the intro
    float lastZ = CAMERA_REST_Z;
    std::vector<std::string> stretches;  // "name frames swaps"
    std::string current;
    u32 steps = 0, swaps = 0, stepsAtStart = 0, swapsAtStart = 0;
    int gamePictures = 0, badSpins = 0;
    auto close = [&] {
        if (!current.empty()) stretches.push_back(current + " " + std::to_string(steps - stepsAtStart) + " " + std::to_string(swaps - swapsAtStart));
    };
    scripted::setSwapHook([&] {
        const GameSession& s = gGame.session;
        const bool moved = s.cameraZ != lastZ;
        lastZ = s.cameraZ;
        const char* name = introShown ? "intro" : s.exiting ? "credits" : !moved ? (s.state == GameState::Menu ? "menu" : "play")
                           : s.gameOver ? "game-over-flight" : s.levelChanging ? "level-flight" : "new-game-flight";
        if (!introShown) badSpins += gFlow.picture.ballSpin != float(20 * (gamePictures++ % 18));
        introShown = gFlow.intro.active;
        if (current != name) close(), current = name, stepsAtStart = steps, swapsAtStart = swaps;
        steps = gTape.frame + 1, swaps = scripted::swaps();  // this step ends after its swap
        // The player: New Game once the menu shows, a level won, the last life lost, Exit.
        const u32 n = swaps;
        if (n == 200) harness::leftClick(harness::MENU_X, harness::NEW_GAME_Y);
        if (n == 300) {
            for (int x = 1; x < 29; ++x) for (int y = 1; y < 29; ++y) gGame.playfield.cells[x][y].solid = 1;
        }
        if (n == 400) gGame.session.lives = 0;
        if (n == 520) harness::leftClick(harness::MENU_X, harness::EXIT_Y);
    });
    EXPECT_EQ(runGame({}), 1);
    close();
    scripted::setSwapHook(nullptr);
    // The intro's 170 pictures, with the menu already live beneath; the click's three steps
    // from press to flight; 30 frames of camera each way; the credits' 780 and the last one.
    const std::vector<std::string> expected = {"intro 170 170",      "menu 32 32", "new-game-flight 60 60", "play 38 38", "level-flight 60 60",
                                               "play 40 40",         "game-over-flight 60 60", "menu 62 62",   "credits 781 781"};
    EXPECT_EQ(stretches, expected);
    EXPECT_EQ(badSpins, 0) << "the balls turn 20 degrees a game picture, from 0 in the first";
}

}  // namespace
