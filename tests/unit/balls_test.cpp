// balls_test.cpp: the random generator, placement, and the bounce and wall-touch rules.
#include <gtest/gtest.h>

#include "platform/scripted/platform_scripted.h"
#include "game/game.h"
#include "support/harness.h"

namespace {

class BallsTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::resetGame();
        harness::clearFieldNoBalls();
    }
    static Ball& ball(int i = 0) { return gGame.balls.balls[i]; }
};

TEST_F(BallsTest, SpawnSeedsTheClassicRandWithTheSecondAndPlacesOnWholeCells) {
    gGame.balls.seedRandom(1);  // the well-known first values of rand() after srand(1)
    for (int e : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(gGame.balls.randomBelow(32768), e);
    gGame.balls.balls[3] = Ball{7.25f, 8.5f, 0.25f, -0.25f};
    gGame.balls.count = 3;
    for (i64 seconds = 1000; seconds < 1100; ++seconds) {
        scripted::setCalendarSeconds(seconds);
        gGame.balls.spawn();
        for (int i = 0; i < 3; ++i) {
            const Ball& b = ball(i);
            EXPECT_TRUE(b.x >= 3.0f && b.x <= 27.0f && b.y >= 3.0f && b.y <= 27.0f && b.x == float(int(b.x))) << seconds;
            EXPECT_TRUE((b.vx == 0.25f || b.vx == -0.25f) && (b.vy == 0.25f || b.vy == -0.25f));
        }
    }
    EXPECT_EQ(ball(3).x, 7.25f) << "later slots are left alone";
    const Ball last = ball(0);  // the same second gives the same placement
    gGame.balls.spawn();
    EXPECT_TRUE(last.x == ball(0).x && last.y == ball(0).y && last.vx == ball(0).vx && last.vy == ball(0).vy);
    gGame.balls.count = 25;
    gGame.balls.spawn();
    EXPECT_EQ(gGame.balls.count, MAX_BALLS);
    gGame.balls.move();  // under the sanitizers a read past the table fails here
}

TEST_F(BallsTest, BounceAndTouchRules) {
    const struct Case {
        const char* name;
        int x, y;   // a cell besides the border: solid, or marked by a growing wall
        u32 value;  // its solid value; 0: marked
        Ball before, after;
        u8 hit;
    } cases[] = {
        {"left border, fraction .25 < .35: turns", 0, 0, 1, {1.25f, 10.0f, -0.25f, 0.25f}, {1.5f, 10.25f, 0.25f, 0.25f}, 0},
        {"left border, fraction .5: not yet", 0, 0, 1, {1.5f, 12.0f, -0.25f, 0.25f}, {1.25f, 12.25f, -0.25f, 0.25f}, 0},
        {"right border, .75 > .6: turns", 0, 0, 1, {28.75f, 14.0f, 0.25f, 0.25f}, {28.5f, 14.25f, -0.25f, 0.25f}, 0},
        {"right border, .5: not yet", 0, 0, 1, {28.5f, 16.0f, 0.25f, 0.25f}, {28.75f, 16.25f, 0.25f, 0.25f}, 0},
        {"corner: both axes", 0, 0, 1, {1.25f, 1.25f, -0.25f, -0.25f}, {1.5f, 1.5f, 0.25f, 0.25f}, 0},
        {"only the diagonal neighbour solid", 11, 11, 1, {10.75f, 10.75f, 0.25f, 0.25f}, {11.0f, 11.0f, 0.25f, 0.25f}, 0},
        {"a value other than 1 does not deflect", 11, 10, 2, {10.75f, 10.5f, 0.25f, 0.25f}, {11.0f, 10.75f, 0.25f, 0.25f}, 0},
        {"growing wall, fraction .5: not yet", 12, 10, 0, {11.5f, 10.5f, 0.25f, 0.25f}, {11.75f, 10.75f, 0.25f, 0.25f}, 0},
        {"growing wall, .75: touched, no turn", 12, 10, 0, {11.75f, 10.5f, 0.25f, 0.25f}, {12.0f, 10.75f, 0.25f, 0.25f}, 1},
        {"moving away from a growing wall", 12, 10, 0, {11.25f, 10.5f, -0.25f, 0.25f}, {11.0f, 10.75f, -0.25f, 0.25f}, 0},
    };
    for (const Case& c : cases) {
        harness::clearFieldNoBalls();
        if (c.x) gGame.playfield.cells[c.x][c.y] = Cell{c.value, c.value == 0};
        gGame.playfield.building = c.value == 0;
        harness::placeBall(0, c.before.x, c.before.y, c.before.vx, c.before.vy);
        gGame.balls.move();
        const Ball& b = ball();
        EXPECT_TRUE(b.x == c.after.x && b.y == c.after.y && b.vx == c.after.vx && b.vy == c.after.vy)
            << c.name << ": " << b.x << "," << b.y << " " << b.vx << "," << b.vy;
        EXPECT_EQ(gGame.playfield.wallHit, c.hit) << c.name;
    }
    // Marks of a running fill, with no wall growing, raise nothing.
    gGame.playfield.building = 0;
    harness::placeBall(0, 11.75f, 10.5f, 0.25f, 0.25f);
    gGame.balls.move();
    EXPECT_EQ(gGame.playfield.wallHit, 0);
}

TEST_F(BallsTest, GapInABorderlessPictureNeverLetsABallLeaveTheGrid) {
    for (auto& column : gGame.playfield.cells) {
        for (Cell& c : column) c.solid = 0;
    }
    harness::placeBall(0, 0.25f, 0.25f, -0.25f, -0.25f);
    harness::placeBall(1, 29.75f, 29.75f, 0.25f, 0.25f);
    harness::placeBall(2, 15.0f, 0.0f, 0.25f, -0.25f);
    for (int step = 0; step < 2000; ++step) {
        gGame.balls.move();
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(ball(i).x >= 0.0f && ball(i).x < 30.0f && ball(i).y >= 0.0f && ball(i).y < 30.0f) << step;
        }
    }
}

}  // namespace
