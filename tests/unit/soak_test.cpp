// soak_test.cpp: long random play with the invariants checked every pass (FENDWALL_SOAK_FRAMES).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

#include "app/main_loop.h"
#include "app/frame_step.h"
#include "app/window.h"
#include "core/input.h"
#include "render/frame.h"
#include "game/game.h"
#include "support/harness.h"
#include "ui/menu.h"
#include "ui/window_manager.h"

namespace {

bool onQuarter(float v) { return std::fmod(v * 4.0f, 1.0f) == 0.0f; }

struct Plan {  // a wall the player might build, and what it would win
    int x = 0, y = 0;
    Orientation orientation = Orientation::Horizontal;
    int gain = 0;
};

// A player who reads off the screen how many cells a wall and the ball-free regions beside it win.
struct Player {
    std::mt19937 rng;
    bool open[FIELD_SIZE][FIELD_SIZE], seen[FIELD_SIZE][FIELD_SIZE];
    explicit Player(unsigned seed) : rng(seed) {}
    int below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

    // The span [lo, hi] along the wall's line; false when the start cell is blocked.
    static bool span(int x, int y, bool vertical, int* lo, int* hi) {
        if (gGame.playfield.solidAt(x, y) != 0) return false;
        int a = vertical ? y : x, b = a;
        while (gGame.playfield.solidAt(vertical ? x : a - 1, vertical ? a - 1 : y) == 0) --a;
        while (gGame.playfield.solidAt(vertical ? x : b + 1, vertical ? b + 1 : y) == 0) ++b;
        *lo = a;
        *hi = b;
        return true;
    }

    int flood(int x, int y, bool* hasBall) {
        if (!Playfield::inside(x, y) || !open[x][y] || seen[x][y]) return 0;
        seen[x][y] = true;
        for (int i = 0; i < gGame.balls.count; ++i) {
            if (static_cast<int>(gGame.balls.balls[i].x) == x && static_cast<int>(gGame.balls.balls[i].y) == y) *hasBall = true;
        }
        return 1 + flood(x + 1, y, hasBall) + flood(x - 1, y, hasBall) + flood(x, y + 1, hasBall) + flood(x, y - 1, hasBall);
    }

    // Cells the finished wall would make solid, itself included.
    int gain(int x, int y, bool vertical, int lo, int hi) {
        for (int i = 0; i < FIELD_SIZE * FIELD_SIZE; ++i) {
            open[i / FIELD_SIZE][i % FIELD_SIZE] = gGame.playfield.cells[i / FIELD_SIZE][i % FIELD_SIZE].solid == 0;
            seen[i / FIELD_SIZE][i % FIELD_SIZE] = false;
        }
        for (int k = lo; k <= hi; ++k) open[vertical ? x : k][vertical ? k : y] = false;
        int total = hi - lo + 1;
        const int sides[2][2] = {{vertical ? x + 1 : x, vertical ? y : y + 1}, {vertical ? x - 1 : x, vertical ? y : y - 1}};
        for (const auto& side : sides) {
            bool hasBall = false;
            const int size = flood(side[0], side[1], &hasBall);
            if (!hasBall) total += size;
        }
        return total;
    }

    // The best of a handful of walls; whether a ball gets there first is left to chance.
    Plan choose() {
        Plan best;
        std::vector<std::pair<int, int>> openCells;
        for (int x = 1; x < FIELD_SIZE - 1; ++x) {
            for (int y = 1; y < FIELD_SIZE - 1; ++y) {
                if (gGame.playfield.cells[x][y].solid == 0) openCells.emplace_back(x, y);
            }
        }
        for (int tries = 0; tries < 32 && !openCells.empty(); ++tries) {
            const auto [x, y] = openCells[below(static_cast<int>(openCells.size()))];
            const bool vertical = below(2) == 0;
            int lo = 0, hi = 0;
            if (!span(x, y, vertical, &lo, &hi)) continue;
            const int won = gain(x, y, vertical, lo, hi);
            if (won > best.gain) best = {x, y, vertical ? Orientation::Vertical : Orientation::Horizontal, won};
        }
        return best;
    }

    // One pass's worth of input: mostly walls that can be finished, with random moves,
    // clicks, Escape and menu visits in between.
    void act() {
        const int dice = below(100);
        if (gGame.session.state == GameState::Menu) {
            // A game in progress is mostly resumed, now and then given up for a new one.
            const int newGame = gUi.menu.resumeAllowed == 1 ? (below(8) == 0 ? 3 : 0) : 3;
            if (dice < newGame) harness::leftClick(246 + below(148), 141 + below(76));
            else if (dice < 6) harness::leftClick(246 + below(148), 220 + below(68));  // resume
            else if (dice < 7 && below(40) == 0) harness::leftClick(300, 300);         // exit, rarely
            else if (dice < 12) harness::leftClick(below(640), below(480));
            return;
        }
        if (gInput.keys[VK_ESCAPE] == 1 && below(3) == 0) harness::keyUp(VK_ESCAPE);
        // Wait for input still on its way: a press not yet acted on could turn the wall.
        if (scripted::pendingEvents() != 0 || gInput.leftPressed || gInput.rightPressed || gInput.leftClicked) return;
        if (gInput.rightClicked) return;
        if (gGame.playfield.building == 0 && dice < 60) {
            const Plan plan = choose();
            if (plan.gain > 0) {
                if (gGame.playfield.selectedOrientation != plan.orientation) harness::rightClick(below(640), below(480));
                harness::leftClick(harness::pixelX(plan.x), harness::pixelY(plan.y));
            }
            return;
        }
        if (dice < 75) harness::moveMouse(below(700), below(520));
        else if (dice < 77) harness::leftClick(below(640), below(480));
        else if (dice < 82) harness::rightClick(below(640), below(480));
        else if (dice < 83 && below(4) == 0) harness::keyDown(VK_ESCAPE);
    }
};

TEST(Soak, RandomPlayKeepsEveryInvariant) {
    const char* env = std::getenv("FENDWALL_SOAK_FRAMES");
    const long frames = env ? std::atol(env) : 30000;
    Player player(12345);
    long passes = 0, wallsBuilt = 0;
    int programs = 0, maxLevel = 0;
    while (passes < frames) {
        harness::resetGame();
        scripted::setCalendarSeconds(1700000000 + programs++);
        ASSERT_TRUE(harness::startGame());
        int lastLevel = -1, lastSolid = 0;
        GameState lastState = GameState::Menu;
        while (gInput.quitRequested == 0 && passes < frames) {
            player.act();
            const u8 wasBuilding = gGame.playfield.building;
            harness::runPasses(1);
            ++passes;
            wallsBuilt += wasBuilding && !gGame.playfield.building;
            if (gInput.quitRequested) break;

            ASSERT_TRUE(gGame.balls.count >= 0 && gGame.balls.count <= MAX_BALLS) << gGame.balls.count;
            for (int i = 0; i < gGame.balls.count; ++i) {
                const Ball& b = gGame.balls.balls[i];
                ASSERT_TRUE(b.x >= 0.0f && b.x < 30.0f && b.y >= 0.0f && b.y < 30.0f) << "pass " << passes;
                ASSERT_TRUE(onQuarter(b.x) && onQuarter(b.y)) << "pass " << passes;
                ASSERT_TRUE(std::fabs(b.vx) == 0.25f && std::fabs(b.vy) == 0.25f) << "pass " << passes;
            }
            ASSERT_TRUE(gGame.playfield.building != 0 || harness::markedCells() == 0) << "marks left, pass " << passes;
            const bool menu = gGame.session.state == GameState::Menu;
            ASSERT_EQ(harness::openWindows(), menu ? 1 : 0) << "pass " << passes;
            ASSERT_TRUE(menu ? gUi.manager.windows[gUi.menu.windowIndex].isOpen == 1 : gGame.session.lives >= 0)
                << "pass " << passes;
            const int solid = gGame.playfield.countSolidCells();
            if (!menu && lastState == GameState::Playing && gGame.session.level == lastLevel) {
                ASSERT_GE(solid, lastSolid) << "solid cells vanished within a level, pass " << passes;
            }
            lastSolid = solid;
            lastLevel = gGame.session.level;
            lastState = gGame.session.state;
            maxLevel = std::max(maxLevel, gGame.session.level);
        }
        ASSERT_TRUE(scripted::boxes().empty()) << "a message in play: " << scripted::boxes().front().text;
    }
    std::printf("soak: %ld passes, %d program runs, %ld walls ended, highest level %d\n", passes, programs, wallsBuilt, maxLevel);
    EXPECT_GT(wallsBuilt, 10) << "the player should build walls";
    EXPECT_GT(maxLevel, 2) << "the player should complete levels";
}

}  // namespace
