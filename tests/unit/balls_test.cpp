// balls_test.cpp: the random generator, placement, and the bounce and wall-touch rules.
#include <gtest/gtest.h>

#include "app/platform_scripted.h"
#include "game/balls.h"
#include "game/playfield.h"
#include "support/harness.h"

namespace {

class BallsTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::resetGame();
        harness::clearFieldNoBalls();
    }
    Ball& ball(int i = 0) { return gBalls.balls[i]; }
};

TEST_F(BallsTest, GeneratorIsTheClassicRandSequence) {
    // The well-known first values of the classic rand() after srand(1).
    seedRandom(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int e : expected) EXPECT_EQ(randomBelow(32768), e);
    seedRandom(1);
    EXPECT_EQ(randomBelow(25), 41 % 25);
}

TEST_F(BallsTest, SpawnPlacesOnWholeCellsInRangeAndLeavesLaterSlots) {
    gBalls.balls[3] = Ball{7.25f, 8.5f, 0.25f, -0.25f};
    gBalls.count = 3;
    for (i64 seconds = 1000; seconds < 1200; ++seconds) {
        scripted::setCalendarSeconds(seconds);
        gBalls.spawn();
        for (int i = 0; i < 3; ++i) {
            const Ball& b = ball(i);
            EXPECT_GE(b.x, 3.0f);
            EXPECT_LE(b.x, 27.0f);
            EXPECT_GE(b.y, 3.0f);
            EXPECT_LE(b.y, 27.0f);
            EXPECT_EQ(b.x, static_cast<float>(static_cast<int>(b.x)));
            EXPECT_TRUE(b.vx == 0.25f || b.vx == -0.25f);
            EXPECT_TRUE(b.vy == 0.25f || b.vy == -0.25f);
        }
    }
    EXPECT_EQ(ball(3).x, 7.25f);
    EXPECT_EQ(ball(3).vy, -0.25f);

    // The seed is the calendar second: the same second gives the same placement,
    // drawn x, y, vx, vy per ball.
    scripted::setCalendarSeconds(4242);
    gBalls.spawn();
    seedRandom(4242);
    const float x = static_cast<float>(randomBelow(25) + 3);
    const float y = static_cast<float>(randomBelow(25) + 3);
    EXPECT_EQ(ball(0).x, x);
    EXPECT_EQ(ball(0).y, y);
    EXPECT_EQ(ball(0).vx, randomBelow(2) == 1 ? -0.25f : 0.25f);
}

TEST_F(BallsTest, NeverMoreThanTheTableHolds) {
    gBalls.count = 25;
    gBalls.spawn();
    EXPECT_EQ(gBalls.count, MAX_BALLS);
    gBalls.move();  // under the sanitizers this would catch a read past the table
}

TEST_F(BallsTest, ThresholdsAgainstTheBorder) {
    harness::placeBall(0, 1.25f, 10.0f, -0.25f, 0.25f);  // turns: fraction .25 < .35
    harness::placeBall(1, 1.5f, 12.0f, -0.25f, 0.25f);   // does not turn yet
    harness::placeBall(2, 28.75f, 14.0f, 0.25f, 0.25f);  // turns: fraction .75 > .6
    harness::placeBall(3, 28.5f, 16.0f, 0.25f, 0.25f);   // does not turn
    gBalls.move();
    EXPECT_EQ(ball(0).x, 1.5f);
    EXPECT_EQ(ball(0).vx, 0.25f);
    EXPECT_EQ(ball(1).x, 1.25f);
    EXPECT_EQ(ball(2).x, 28.5f);
    EXPECT_EQ(ball(2).vx, -0.25f);
    EXPECT_EQ(ball(3).x, 28.75f);
    EXPECT_EQ(ball(3).vx, 0.25f);
}

TEST_F(BallsTest, CornerTurnsBothAxesButDiagonalAloneDoesNot) {
    harness::placeBall(0, 1.25f, 1.25f, -0.25f, -0.25f);
    gBalls.move();
    EXPECT_EQ(ball(0).vx, 0.25f);
    EXPECT_EQ(ball(0).vy, 0.25f);
    EXPECT_EQ(ball(0).x, 1.5f);

    // Only the diagonal neighbour (11, 11) is solid: the ball flies into it.
    harness::clearFieldNoBalls();
    gPlayfield.cells[11][11].solid = 1;
    harness::placeBall(0, 10.75f, 10.75f, 0.25f, 0.25f);
    gBalls.move();
    EXPECT_EQ(ball(0).x, 11.0f);
    EXPECT_EQ(ball(0).y, 11.0f);

    // A value other than 1 does not deflect.
    harness::clearFieldNoBalls();
    gPlayfield.cells[11][10].solid = 2;
    harness::placeBall(0, 10.75f, 10.5f, 0.25f, 0.25f);
    gBalls.move();
    EXPECT_EQ(ball(0).vx, 0.25f);
}

TEST_F(BallsTest, TouchOnGrowingWallRaisesFlagWithoutTurning) {
    gPlayfield.cells[12][10].marked = 1;
    gPlayfield.building = 1;
    harness::placeBall(0, 11.5f, 10.5f, 0.25f, 0.25f);
    gBalls.move();
    EXPECT_EQ(gPlayfield.wallHit, 0) << "fraction .5 is not past the threshold";
    gBalls.move();
    EXPECT_EQ(gPlayfield.wallHit, 1);
    EXPECT_EQ(ball(0).vx, 0.25f);
    EXPECT_EQ(ball(0).x, 12.0f);

    // Marks without a wall under construction (a running fill) raise nothing.
    gPlayfield.wallHit = 0;
    gPlayfield.building = 0;
    harness::placeBall(0, 11.75f, 10.5f, 0.25f, 0.25f);
    gBalls.move();
    EXPECT_EQ(gPlayfield.wallHit, 0);

    // Moving away from a marked cell raises nothing.
    gPlayfield.building = 1;
    harness::placeBall(0, 11.25f, 10.5f, -0.25f, 0.25f);
    gBalls.move();
    EXPECT_EQ(gPlayfield.wallHit, 0);
}

TEST_F(BallsTest, GapInABorderlessPictureNeverLetsABallLeaveTheGrid) {
    for (auto& column : gPlayfield.cells) {
        for (Cell& c : column) c.solid = 0;
    }
    harness::placeBall(0, 0.25f, 0.25f, -0.25f, -0.25f);
    harness::placeBall(1, 29.75f, 29.75f, 0.25f, 0.25f);
    harness::placeBall(2, 15.0f, 0.0f, 0.25f, -0.25f);
    for (int step = 0; step < 2000; ++step) {
        gBalls.move();
        for (int i = 0; i < 3; ++i) {
            ASSERT_GE(ball(i).x, 0.0f);
            ASSERT_LT(ball(i).x, 30.0f);
            ASSERT_GE(ball(i).y, 0.0f);
            ASSERT_LT(ball(i).y, 30.0f);
        }
    }
}

}  // namespace
