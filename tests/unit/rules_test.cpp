// rules_test.cpp: balls placed, bouncing, touching; walls growing, lost, capturing.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/controls.h"
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

// One frame of the balls, as every phase moves them; the sounds it made.
SoundList moveOnce() {
    SoundList sounds;
    moveBalls(gGame, sounds);
    return sounds;
}

TEST_F(BallsTest, SpawnPlacesOnWholeCellsAwayFromTheBorderByTheSecond) {
    gGame.balls.seedRandom(1);  // the well-known first values of rand() after srand(1)
    for (int e : {41, 18467, 6334}) EXPECT_EQ(gGame.balls.randomBelow(32768), e);
    gGame.balls.count = 3;
    gGame.balls.spawn(1);  // seeded with the second: x from the first of those values, y from the second
    EXPECT_TRUE(ball(0).x == 41 % 25 + 3 && ball(0).y == 18467 % 25 + 3) << ball(0).x << "," << ball(0).y;
    for (i64 seconds = 1000; seconds < 1100; ++seconds) {
        gGame.balls.spawn(seconds);
        for (int i = 0; i < 3; ++i) {
            const Ball& b = ball(i);
            EXPECT_TRUE(b.x >= 3.0f && b.x <= 27.0f && b.y >= 3.0f && b.y <= 27.0f && b.x == float(int(b.x))) << seconds;
            EXPECT_TRUE((b.vx == 0.25f || b.vx == -0.25f) && (b.vy == 0.25f || b.vy == -0.25f));
        }
    }
    const Ball last = ball(0);  // the same second gives the same placement
    gGame.balls.spawn(1099);
    EXPECT_TRUE(last.x == ball(0).x && last.y == ball(0).y && last.vx == ball(0).vx && last.vy == ball(0).vy);
    gGame.balls.count = 25;  // levels past the table keep its 20 balls, and all of them move
    gGame.balls.spawn(1099);
    const Ball lastBall = ball(MAX_BALLS - 1);
    moveOnce();
    EXPECT_TRUE(gGame.balls.count == MAX_BALLS && ball(MAX_BALLS - 1).x != lastBall.x);
}

TEST_F(BallsTest, BounceAndTouchRulesOnEverySide) {
    // A cell beside the ball, solid with `value`, or (value 0) marked by a growing wall.
    const struct { const char* name; int x, y; u32 value; Ball before, after; bool hit; } cases[] = {
        {"left border, fraction .25 < .35: turns", 0, 0, 1, {1.25f, 10.0f, -0.25f, 0.25f}, {1.5f, 10.25f, 0.25f, 0.25f}, 0},
        {"left border, .5: not yet", 0, 0, 1, {1.5f, 12.0f, -0.25f, 0.25f}, {1.25f, 12.25f, -0.25f, 0.25f}, 0},
        {"right border, .75 > .6: turns", 0, 0, 1, {28.75f, 14.0f, 0.25f, 0.25f}, {28.5f, 14.25f, -0.25f, 0.25f}, 0},
        {"right border, .5: not yet", 0, 0, 1, {28.5f, 16.0f, 0.25f, 0.25f}, {28.75f, 16.25f, 0.25f, 0.25f}, 0},
        {"corner: both axes", 0, 0, 1, {1.25f, 1.25f, -0.25f, -0.25f}, {1.5f, 1.5f, 0.25f, 0.25f}, 0},
        {"top border", 0, 0, 1, {14.5f, 28.75f, 0.25f, 0.25f}, {14.75f, 28.5f, 0.25f, -0.25f}, 0},
        {"only the diagonal neighbour solid", 11, 11, 1, {10.75f, 10.75f, 0.25f, 0.25f}, {11.0f, 11.0f, 0.25f, 0.25f}, 0},
        {"a value other than 1 does not deflect", 9, 10, 2, {10.25f, 10.5f, -0.25f, 0.25f}, {10.0f, 10.75f, -0.25f, 0.25f}, 0},
        {"growing wall, fraction .5: not yet", 12, 10, 0, {11.5f, 10.5f, 0.25f, 0.25f}, {11.75f, 10.75f, 0.25f, 0.25f}, 0},
        {"growing wall right, .75: touched, no turn", 12, 10, 0, {11.75f, 10.5f, 0.25f, 0.25f}, {12.0f, 10.75f, 0.25f, 0.25f}, 1},
        {"growing wall left", 10, 10, 0, {11.25f, 10.5f, -0.25f, 0.25f}, {11.0f, 10.75f, -0.25f, 0.25f}, 1},
        {"growing wall above", 11, 11, 0, {11.5f, 10.75f, 0.25f, 0.25f}, {11.75f, 11.0f, 0.25f, 0.25f}, 1},
        {"growing wall below", 11, 9, 0, {11.5f, 10.25f, 0.25f, -0.25f}, {11.75f, 10.0f, 0.25f, -0.25f}, 1},
        {"moving away from a growing wall", 12, 10, 0, {11.25f, 10.5f, -0.25f, 0.25f}, {11.0f, 10.75f, -0.25f, 0.25f}, 0},
        {"moving down, away from one above", 11, 11, 0, {11.5f, 10.75f, 0.25f, -0.25f}, {11.75f, 10.5f, 0.25f, -0.25f}, 0},
    };
    for (const auto& c : cases) {
        harness::clearFieldNoBalls();
        if (c.x) gGame.playfield.cells[c.x][c.y] = Cell{c.value, c.value == 0};
        gGame.playfield.building = c.value == 0;
        harness::placeBall(0, c.before.x, c.before.y, c.before.vx, c.before.vy);
        const SoundList sounds = moveOnce();
        const int bounces = int(std::count(sounds.effects, sounds.effects + sounds.count, SoundEffect::Bounce));
        const Ball& b = ball();
        EXPECT_TRUE(b.x == c.after.x && b.y == c.after.y && b.vx == c.after.vx && b.vy == c.after.vy)
            << c.name << ": " << b.x << "," << b.y << " " << b.vx << "," << b.vy;
        EXPECT_EQ(gGame.playfield.wallHit, c.hit) << c.name;
        EXPECT_TRUE(bounces == sounds.count && bounces == (b.vx != c.before.vx) + (b.vy != c.before.vy)) << c.name << ": a sound for every turn";
    }
    // A picture without a border: cells outside the grid count as solid.
    for (auto& column : gGame.playfield.cells) {
        for (Cell& c : column) c.solid = 0;
    }
    harness::placeBall(0, 0.25f, 0.25f, -0.25f, -0.25f);
    harness::placeBall(1, 29.75f, 29.75f, 0.25f, 0.25f);
    for (int step = 0; step < 300; ++step) {
        moveOnce();
        for (int i = 0; i < 2; ++i) ASSERT_TRUE(ball(i).x >= 0.0f && ball(i).x < 30.0f && ball(i).y >= 0.0f && ball(i).y < 30.0f);
    }
}

class WallsTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::resetGame();
        harness::clearFieldNoBalls();
        gGame.session.lives = 3;
    }
    // One playing frame of the rules, as the main loop runs them, after a click on a cell.
    static SoundList frame(int clickX = -1, int clickY = -1) {
        gInput.mouseX = harness::pixelX(clickX);
        gInput.mouseY = harness::pixelY(clickY);
        gInput.leftClicked = clickX >= 0;
        SoundList sounds;
        playFrame(gGame, sounds, stepInputOf(gInput));
        gInput.leftClicked = gInput.rightClicked = 0;
        return sounds;
    }
    static void finishWall(int x, int y, Orientation orientation) {
        gGame.playfield.startWall(x, y, orientation);
        for (int f = 0; f < 30 && gGame.playfield.building; ++f) (void)gGame.playfield.growWall(orientation, gGame.balls);
    }
};

TEST_F(WallsTest, VerticalWallGrowsOneCellPerEndAndCompletesInItsFourteenthFrame) {
    harness::placeBall(0, 20.5f, 10.5f, 0.25f, 0.25f);
    gInput.rightClicked = 1;  // from horizontal to vertical
    frame(10, 15);
    EXPECT_EQ(gGame.playfield.cells[10][14].marked + gGame.playfield.cells[10][15].marked + gGame.playfield.cells[10][16].marked, 3);
    gInput.rightClicked = 1;  // a new orientation and a second click do not disturb it
    frame(20, 20);
    for (int f = 2; f <= 13; ++f, frame()) EXPECT_TRUE(harness::markedCells() == 1 + 2 * f && gGame.playfield.building) << f;
    EXPECT_TRUE(!gGame.playfield.building && harness::markedCells() == 0) << "finished in the 14th frame";
    EXPECT_EQ(gGame.playfield.selectedOrientation, Orientation::Horizontal) << "the second right click turned it back";
    for (int y = 1; y <= 28; ++y) EXPECT_EQ(gGame.playfield.cells[10][y].solid, 1u);
    EXPECT_EQ(gGame.playfield.countSolidCells(), 116 + 28 + 252) << "the side without the ball is captured";
    EXPECT_EQ(gGame.playfield.cells[15][5].solid, 0u);
}

TEST_F(WallsTest, CaptureFillsOnlyBallFreeRegions) {
    harness::placeBall(0, 20.5f, 10.5f, 0.25f, 0.25f);
    harness::placeBall(1, 4.5f, 4.5f, 0.25f, 0.25f);
    finishWall(10, 15, Orientation::Vertical);
    EXPECT_EQ(gGame.playfield.countSolidCells(), 116 + 28) << "balls on both sides: only the wall";
    harness::clearFieldNoBalls();
    harness::placeBall(0, 20.5f, 20.5f, 0.25f, 0.25f);
    finishWall(5, 10, Orientation::Horizontal);  // its ends meet the border in different frames
    EXPECT_EQ(gGame.playfield.countSolidCells(), 116 + 28 + 28 * 9) << "a horizontal wall: the rows below it";

    // Beside an older wall the fill starts inside its solid cell, so the open region beyond
    // it is tested too (ball-free: filled).
    harness::clearFieldNoBalls();
    harness::placeBall(0, 20.5f, 20.5f, 0.25f, 0.25f);
    for (int y = 1; y <= 28; ++y) gGame.playfield.cells[5][y].solid = 1;
    gGame.playfield.cells[6][25].solid = 2;  // a pattern's other values block a wall too
    finishWall(6, 15, Orientation::Vertical);
    EXPECT_TRUE(gGame.playfield.cells[3][3].solid == 1 && gGame.playfield.cells[20][3].solid == 0);
    EXPECT_TRUE(gGame.playfield.cells[6][24].solid == 1 && gGame.playfield.cells[6][25].solid == 2 && gGame.playfield.cells[6][26].solid == 0);
}

}  // namespace
