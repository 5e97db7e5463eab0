// soak_test.cpp: random play over many frames, games and levels, with the game's
// invariants checked after every pass. FENDWALL_SOAK_FRAMES sets the length
// (the test command runs a short soak; see the README for the long one).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "app/main_loop.h"
#include "app/window.h"
#include "game/balls.h"
#include "game/playfield.h"
#include "game/session.h"
#include "support/harness.h"
#include "ui/menu.h"
#include "ui/window_manager.h"

namespace {

bool onQuarter(float v) { return std::fmod(v * 4.0f, 1.0f) == 0.0f; }

int markedCells() {
    int n = 0;
    for (auto& column : gPlayfield.cells) {
        for (Cell& c : column) n += c.marked;
    }
    return n;
}

int openWindows() {
    int n = 0;
    for (int i = 1; i < WINDOW_SLOTS; ++i) n += gWindowManager.windows[i].isOpen == 1;
    return n;
}

struct Player {
    std::mt19937 rng;
    explicit Player(unsigned seed) : rng(seed) {}
    int below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

    // One pass's worth of input: mostly moves and clicks, sometimes Escape.
    void act() {
        const int dice = below(100);
        if (gSession.state == GameState::Menu) {
            if (dice < 3) harness::leftClick(246 + below(148), 141 + below(76));        // new game
            else if (dice < 6) harness::leftClick(246 + below(148), 220 + below(68));   // resume
            else if (dice < 7 && below(40) == 0) harness::leftClick(300, 300);          // exit, rarely
            else if (dice < 12) harness::leftClick(below(640), below(480));
            return;
        }
        if (dice < 40) harness::moveMouse(below(700), below(520));
        else if (dice < 52) harness::leftClick(below(640), below(480));
        else if (dice < 57) harness::rightClick(below(640), below(480));
        else if (dice < 58) harness::keyDown(VK_ESCAPE);
        if (gInput.keys[VK_ESCAPE] == 1 && below(3) == 0) harness::keyUp(VK_ESCAPE);
    }
};

TEST(Soak, RandomPlayKeepsEveryInvariant) {
    const char* env = std::getenv("FENDWALL_SOAK_FRAMES");
    const long frames = env ? std::atol(env) : 30000;
    Player player(12345);
    long passes = 0;
    int programs = 0;
    int maxLevel = 0;
    long wallsBuilt = 0;
    while (passes < frames) {
        harness::resetGame();
        scripted::setCalendarSeconds(1700000000 + programs);
        ASSERT_TRUE(harness::startGame());
        ++programs;
        int lastLevel = -1;
        int lastState = -1;
        int lastSolid = 0;
        while (quitRequested == 0 && passes < frames) {
            player.act();
            const u8 wasBuilding = gPlayfield.building;
            harness::runPasses(1);
            ++passes;
            if (wasBuilding && !gPlayfield.building) ++wallsBuilt;
            if (quitRequested) break;

            ASSERT_LE(gBalls.count, MAX_BALLS);
            ASSERT_GE(gBalls.count, 0);
            for (int i = 0; i < gBalls.count; ++i) {
                const Ball& b = gBalls.balls[i];
                ASSERT_TRUE(b.x >= 0.0f && b.x < 30.0f && b.y >= 0.0f && b.y < 30.0f) << "pass " << passes;
                ASSERT_TRUE(onQuarter(b.x) && onQuarter(b.y)) << "pass " << passes;
                ASSERT_EQ(std::fabs(b.vx), 0.25f);
                ASSERT_EQ(std::fabs(b.vy), 0.25f);
            }
            if (gPlayfield.building == 0) {
                ASSERT_EQ(markedCells(), 0) << "pass " << passes;
            }
            const bool menu = gSession.state == GameState::Menu;
            ASSERT_EQ(openWindows(), menu ? 1 : 0) << "pass " << passes;
            if (menu) {
                ASSERT_EQ(gWindowManager.windows[gMainMenu.windowIndex].isOpen, 1);
            } else {
                ASSERT_GE(gSession.lives, 0);
            }
            const int solid = gPlayfield.countSolidCells();
            if (!menu && lastState == GameState::Playing && gSession.level == lastLevel) {
                ASSERT_GE(solid, lastSolid) << "solid cells vanished within a level, pass " << passes;
            }
            lastSolid = solid;
            lastLevel = gSession.level;
            lastState = gSession.state;
            if (gSession.level > maxLevel) maxLevel = gSession.level;
        }
    }
    RecordProperty("programs", programs);
    RecordProperty("max_level", maxLevel);
    std::printf("soak: %ld passes, %d program runs, %ld walls ended, highest level %d\n", passes, programs,
                wallsBuilt, maxLevel);
    EXPECT_GT(wallsBuilt, 10) << "the random player should build walls";
}

}  // namespace
