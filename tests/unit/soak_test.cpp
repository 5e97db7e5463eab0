// soak_test.cpp: long random play with the invariants checked every pass (FENDWALL_SOAK_FRAMES).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "app/controls.h"
#include "app/main_loop.h"
#include "app/phases.h"
#include "game/game.h"
#include "support/harness.h"
#include "ui/menu.h"

namespace {

bool onQuarter(float v) { return std::fmod(v * 4.0f, 1.0f) == 0.0f; }

// A player who finishes a handful of walls on a copy of the game by its own rules and builds the
// one that wins most, a ball permitting; random moves, clicks, Escape and menus in between.
struct Player {
    std::mt19937 rng{12345};
    int below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

    static int gain(int x, int y, Orientation orientation) {
        const Game saved = gGame;
        Playfield& f = gGame.playfield;
        f.startWall(x, y, orientation);
        for (int i = 0; i < FIELD_SIZE && f.building; ++i) (void)f.growWall(orientation, gGame.balls);
        const int won = f.countSolidCells() - saved.playfield.countSolidCells();
        gGame = saved;
        return won;
    }

    void buildBestWall() {
        int best = 0, bx = 0, by = 0;
        Orientation bo = Orientation::Vertical;
        for (int tries = 0; tries < 32; ++tries) {
            const int x = 1 + below(FIELD_SIZE - 2), y = 1 + below(FIELD_SIZE - 2);
            const Orientation o = below(2) ? Orientation::Vertical : Orientation::Horizontal;
            const int won = gGame.playfield.solidAt(x, y) == 0 ? gain(x, y, o) : 0;
            if (won > best) best = won, bx = x, by = y, bo = o;
        }
        if (best > 0 && gGame.playfield.selectedOrientation != bo) harness::rightClick(below(640), below(480));
        if (best > 0) harness::leftClick(harness::pixelX(bx), harness::pixelY(by));
    }

    void act() {
        const int dice = below(100);
        if (gGame.session.state == GameState::Menu) {
            // A game in progress is mostly resumed, now and then given up for a new one.
            const int newGame = gUi.menu.resumeAllowed ? (below(8) == 0 ? 3 : 0) : 3;
            if (dice < newGame) harness::leftClick(246 + below(148), 141 + below(76));
            else if (dice < 6) harness::leftClick(246 + below(148), 220 + below(68));  // resume
            else if (dice < 7 && below(40) == 0) harness::leftClick(300, 300);         // exit, rarely
            else if (dice < 12) harness::leftClick(below(640), below(480));
            return;
        }
        if (gInput.keys[VK_ESCAPE] && below(3) == 0) harness::keyUp(VK_ESCAPE);
        // Wait for input still on its way: a press not yet acted on could turn the wall.
        if (scripted::pendingEvents() || gInput.leftPressed || gInput.rightPressed || gInput.leftClicked || gInput.rightClicked) return;
        if (!gGame.playfield.building && dice < 60) buildBestWall();
        else if (dice < 75) harness::push(PlatformEventType::MouseMove, below(700), below(520));
        else if (dice < 77) harness::leftClick(below(640), below(480));
        else if (dice < 82) harness::rightClick(below(640), below(480));
        else if (dice < 83 && below(4) == 0) harness::keyDown(VK_ESCAPE);
    }
};

TEST(Soak, RandomPlayKeepsEveryInvariant) {
    const char* env = std::getenv("FENDWALL_SOAK_FRAMES");
    const long frames = env ? std::atol(env) : 30000;
    Player player;
    long passes = 0, wallsBuilt = 0;
    int programs = 0, maxLevel = 0;
    while (passes < frames) {
        harness::resetGame();
        scripted::setCalendarSeconds(1700000000 + programs++);
        ASSERT_TRUE(startUp());
        int lastLevel = -1, lastSolid = 0;
        while (!quitDue() && passes < frames) {
            player.act();
            const bool wasBuilding = gGame.playfield.building;
            const bool wasPlaying = gGame.session.state == GameState::Playing;
            harness::runUntilPlayOrMenu();  // a flight whole, as the player lives it
            ++passes;
            wallsBuilt += wasBuilding && !gGame.playfield.building;
            if (quitDue()) break;
            const GameSession& s = gGame.session;
            ASSERT_TRUE(gGame.balls.count >= 0 && gGame.balls.count <= MAX_BALLS) << gGame.balls.count;
            for (int i = 0; i < gGame.balls.count; ++i) {
                const Ball& b = gGame.balls.balls[i];
                ASSERT_TRUE(b.x >= 0.0f && b.x < 30.0f && b.y >= 0.0f && b.y < 30.0f && onQuarter(b.x) && onQuarter(b.y) &&
                            std::fabs(b.vx) == 0.25f && std::fabs(b.vy) == 0.25f)
                    << "ball " << i << " at " << b.x << "," << b.y << ", pass " << passes;
            }
            ASSERT_TRUE(gGame.playfield.building || harness::markedCells() == 0) << "marks left, pass " << passes;
            const bool menu = s.state == GameState::Menu;
            ASSERT_EQ(harness::openWindows(), menu ? 1 : 0) << "pass " << passes;
            ASSERT_TRUE(menu ? gUi.manager.windows[gUi.menu.windowIndex].isOpen : s.lives > 0) << "pass " << passes;
            const int solid = gGame.playfield.countSolidCells();
            ASSERT_TRUE(menu || !wasPlaying || s.level != lastLevel || solid >= lastSolid) << "cells vanished, pass " << passes;
            lastSolid = solid;
            lastLevel = s.level;
            maxLevel = std::max(maxLevel, s.level);
        }
        ASSERT_TRUE(scripted::boxes().empty()) << "a message in play: " << scripted::boxes().front().text;
    }
    std::printf("soak: %ld passes, %d program runs, %ld walls ended, highest level %d\n", passes, programs, wallsBuilt, maxLevel);
    EXPECT_GT(wallsBuilt, 10) << "the player should build walls";
    EXPECT_GT(maxLevel, 2) << "the player should complete levels";
}

}  // namespace
