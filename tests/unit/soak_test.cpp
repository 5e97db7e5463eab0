// soak_test.cpp: play over many frames, games and levels, with the game's invariants
// checked after every pass. The player builds walls where they win cells and a ball
// cannot reach them in time, with random moves, clicks, Escape and menu visits in
// between, all through real input. FENDWALL_SOAK_FRAMES sets the length (the test
// command runs a short soak; see the README for the long one).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
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

// The client pixel whose cursor cell is (x, y): 21 pixels a column, 16 a row from the bottom.
i32 pixelX(int cellX) { return cellX * 21 + 10; }
i32 pixelY(int cellY) { return 480 - (cellY * 16 + 8); }

// A wall the careful player might build: where it starts, which way, what it would win.
struct Plan {
    int x = 0;
    int y = 0;
    int orientation = 0;
    int gain = 0;
};

// What a careful player reads off the screen before a click: how far a wall from (x, y)
// would reach, whether a ball could get to it while it grows, and how many cells the
// finished wall and the ball-free regions beside it would turn solid.
struct Planner {
    bool open[FIELD_SIZE][FIELD_SIZE];
    bool seen[FIELD_SIZE][FIELD_SIZE];

    // The span [lo, hi] along the wall's line; false when the start cell is blocked.
    static bool span(int x, int y, bool vertical, int* lo, int* hi) {
        if (gPlayfield.solidAt(x, y) != 0) return false;
        int a = vertical ? y : x;
        int b = a;
        while (gPlayfield.solidAt(vertical ? x : a - 1, vertical ? a - 1 : y) == 0) --a;
        while (gPlayfield.solidAt(vertical ? x : b + 1, vertical ? b + 1 : y) == 0) ++b;
        *lo = a;
        *hi = b;
        return true;
    }

    // A ball that could come within a cell of the wall before it is finished: the click
    // lands about three frames late, then each end grows a cell per frame.
    static bool risky(int x, int y, bool vertical, int lo, int hi) {
        const int start = vertical ? y : x;
        const float frames = static_cast<float>(std::max(hi - start, start - lo) + 3);
        const float reach = frames * 0.25f + 1.0f;
        for (int i = 0; i < gBalls.count; ++i) {
            const Ball& b = gBalls.balls[i];
            const float across = vertical ? b.x - (static_cast<float>(x) + 0.5f) : b.y - (static_cast<float>(y) + 0.5f);
            const float along = vertical ? b.y : b.x;
            if (std::fabs(across) <= reach && along >= static_cast<float>(lo) - reach &&
                along <= static_cast<float>(hi + 1) + reach) {
                return true;
            }
        }
        return false;
    }

    int flood(int x, int y, bool* hasBall) {
        if (!Playfield::inside(x, y) || !open[x][y] || seen[x][y]) return 0;
        seen[x][y] = true;
        for (int i = 0; i < gBalls.count; ++i) {
            if (static_cast<int>(gBalls.balls[i].x) == x && static_cast<int>(gBalls.balls[i].y) == y) *hasBall = true;
        }
        return 1 + flood(x + 1, y, hasBall) + flood(x - 1, y, hasBall) + flood(x, y + 1, hasBall) +
               flood(x, y - 1, hasBall);
    }

    // Cells the finished wall would make solid, itself included.
    int gain(int x, int y, bool vertical, int lo, int hi) {
        for (int i = 0; i < FIELD_SIZE; ++i) {
            for (int j = 0; j < FIELD_SIZE; ++j) {
                open[i][j] = gPlayfield.cells[i][j].solid == 0;
                seen[i][j] = false;
            }
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
};

struct Player {
    std::mt19937 rng;
    Planner planner;
    explicit Player(unsigned seed) : rng(seed) {}
    int below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

    // The best of a handful of safe walls; now and then, when none is safe, the best of
    // the risky ones, as a player who is running out of patience would.
    Plan choose() {
        Plan best;
        Plan bestRisky;
        const bool daring = below(20) == 0;
        int openCells[FIELD_SIZE * FIELD_SIZE][2];
        int openCount = 0;
        for (int x = 1; x < FIELD_SIZE - 1; ++x) {
            for (int y = 1; y < FIELD_SIZE - 1; ++y) {
                if (gPlayfield.cells[x][y].solid == 0) {
                    openCells[openCount][0] = x;
                    openCells[openCount][1] = y;
                    ++openCount;
                }
            }
        }
        for (int tries = 0; tries < 32 && openCount > 0; ++tries) {
            const int* cell = openCells[below(openCount)];
            const int x = cell[0];
            const int y = cell[1];
            const bool vertical = below(2) == 0;
            int lo = 0;
            int hi = 0;
            if (!Planner::span(x, y, vertical, &lo, &hi)) continue;
            const bool risky = Planner::risky(x, y, vertical, lo, hi);
            if (risky && !daring) continue;
            const int gain = planner.gain(x, y, vertical, lo, hi);
            Plan& slot = risky ? bestRisky : best;
            if (gain > slot.gain) slot = {x, y, vertical ? Orientation::Vertical : Orientation::Horizontal, gain};
        }
        return best.gain > 0 ? best : bestRisky;
    }

    // One pass's worth of input, as a player gives it: mostly walls that can be finished,
    // with random moves, clicks, Escape and menu visits in between.
    void act() {
        const int dice = below(100);
        if (gSession.state == GameState::Menu) {
            // A game in progress is mostly resumed, now and then given up for a new one.
            const int newGame = gMainMenu.resumeAllowed == 1 ? (below(8) == 0 ? 3 : 0) : 3;
            if (dice < newGame) harness::leftClick(246 + below(148), 141 + below(76));
            else if (dice < 6) harness::leftClick(246 + below(148), 220 + below(68));   // resume
            else if (dice < 7 && below(40) == 0) harness::leftClick(300, 300);          // exit, rarely
            else if (dice < 12) harness::leftClick(below(640), below(480));
            return;
        }
        if (gInput.keys[VK_ESCAPE] == 1 && below(3) == 0) harness::keyUp(VK_ESCAPE);
        // Wait for input still on its way: a press not yet acted on could turn the wall.
        if (scripted::pendingEvents() != 0 || gInput.leftPressed || gInput.rightPressed || gInput.leftClicked ||
            gInput.rightClicked) {
            return;
        }
        if (gPlayfield.building == 0 && dice < 60) {
            const Plan plan = choose();
            if (plan.gain > 0) {
                const int current = gPlayfield.selectedOrientation == Orientation::Vertical ? Orientation::Vertical
                                                                                           : Orientation::Horizontal;
                if (current != plan.orientation) harness::rightClick(below(640), below(480));
                harness::leftClick(pixelX(plan.x), pixelY(plan.y));
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
    long passes = 0;
    int programs = 0;
    int maxLevel = 0;
    long wallsBuilt = 0;
    long livesLost = 0;
    int gamesOver = 0;
    std::map<int, int> endLevels;  // level reached when a game ended, how often
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
            const int livesBefore = gSession.lives;
            const int levelBefore = gSession.level;
            const int stateBefore = gSession.state;
            harness::runPasses(1);
            ++passes;
            if (wasBuilding && !gPlayfield.building) ++wallsBuilt;
            if (stateBefore == GameState::Playing && gSession.level == levelBefore && gSession.lives < livesBefore) {
                ++livesLost;
            }
            if (stateBefore == GameState::Playing && gSession.state == GameState::Menu && gMainMenu.resumeAllowed == 0) {
                ++gamesOver;
                ++endLevels[levelBefore];
            }
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
        ASSERT_TRUE(scripted::boxes().empty()) << "a message in play: " << scripted::boxes().front().text;
    }
    RecordProperty("programs", programs);
    RecordProperty("max_level", maxLevel);
    std::printf("soak: %ld passes, %d program runs, %ld walls ended, %ld lives lost, %d games over, highest level %d\n",
                passes, programs, wallsBuilt, livesLost, gamesOver, maxLevel);
    for (auto [level, n] : endLevels) std::printf("  %d games over at level %d\n", n, level);
    EXPECT_GT(wallsBuilt, 10) << "the player should build walls";
    EXPECT_GT(maxLevel, 2) << "the player should complete levels";
}

}  // namespace
