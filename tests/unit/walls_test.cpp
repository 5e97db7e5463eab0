// walls_test.cpp: the cursor cell, growing walls, losing them to a ball, and the capture.
#include <gtest/gtest.h>

#include "app/window.h"
#include "core/input.h"
#include "render/frame.h"
#include "game/game.h"
#include "support/harness.h"

namespace {

class WallsTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::resetGame();
        harness::clearFieldNoBalls();
        gGame.session.lives = 3;
    }
    // One playing frame of the rules, as the main loop runs them, after a click on a cell.
    static void frame(int clickX = -1, int clickY = -1) {
        gInput.mouseX = harness::pixelX(clickX);
        gInput.mouseY = harness::pixelY(clickY);
        gInput.leftClicked = clickX >= 0;
        gGame.playfield.update();
        gGame.balls.move();
        gInput.leftClicked = gInput.rightClicked = 0;
    }
    static void finishWall(int x, int y, Orientation orientation) {
        gGame.playfield.startWall(x, y, orientation);
        for (int f = 0; f < 30 && gGame.playfield.building; ++f) gGame.playfield.growWall(orientation);
    }
};

TEST_F(WallsTest, MouseMapsToCellsOnTheFixedGridAndClampsInsideTheBorder) {
    const int cases[][4] = {{0, 0, 1, 28},    {639, 479, 28, 1},  {320, 240, 15, 15}, {41, 240, 1, 15},
                            {42, 240, 2, 15}, {588, 240, 28, 15}, {587, 240, 27, 15}, {5000, 9000, 28, 1}};
    for (const auto& c : cases) {
        gInput.mouseX = c[0];
        gInput.mouseY = c[1];
        gGame.playfield.update();
        EXPECT_EQ(gGame.playfield.cursorX, c[2]) << c[0] << "," << c[1];
        EXPECT_EQ(gGame.playfield.cursorY, c[3]) << c[0] << "," << c[1];
    }
}

TEST_F(WallsTest, VerticalWallGrowsOneCellPerEndAndCompletesInItsFourteenthFrame) {
    harness::placeBall(0, 20.5f, 10.5f, 0.25f, 0.25f);
    gGame.playfield.selectedOrientation = Orientation::Vertical;
    frame(10, 15);
    EXPECT_EQ(gGame.playfield.cells[10][14].marked + gGame.playfield.cells[10][15].marked + gGame.playfield.cells[10][16].marked, 3);
    gInput.rightClicked = 1;  // a new orientation and a second click do not disturb it
    frame(20, 20);
    for (int f = 2; f <= 13; ++f) {
        EXPECT_EQ(harness::markedCells(), 1 + 2 * f) << "frame " << f;
        EXPECT_EQ(gGame.playfield.building, 1);
        frame();
    }
    EXPECT_EQ(gGame.playfield.building, 0) << "finished in the 14th frame";
    EXPECT_EQ(harness::markedCells(), 0);
    for (int y = 1; y <= 28; ++y) EXPECT_EQ(gGame.playfield.cells[10][y].solid, 1u);
    EXPECT_EQ(gGame.playfield.countSolidCells(), 116 + 28 + 252) << "the side without the ball is captured";
    EXPECT_EQ(gGame.playfield.cells[15][5].solid, 0u);
}

TEST_F(WallsTest, TouchDestroysTheWallOnTheNextFrameAndCostsALife) {
    gGame.playfield.startWall(10, 15, Orientation::Vertical);
    harness::placeBall(0, 11.25f, 15.5f, -0.25f, 0.25f);  // moving west past the threshold
    gGame.balls.move();
    EXPECT_EQ(gGame.playfield.wallHit, 1);
    EXPECT_EQ(gGame.session.lives, 3) << "nothing happens before the next growth step";
    frame();
    EXPECT_EQ(gGame.session.lives, 2);
    EXPECT_EQ(gGame.playfield.building + harness::markedCells(), 0);
    EXPECT_EQ(gGame.playfield.countSolidCells(), 116);
    gGame.playfield.cells[5][5].solid = 1;
    frame(5, 5);
    EXPECT_EQ(gGame.playfield.building, 0) << "a click on a solid cell starts nothing";
    frame(6, 6);
    EXPECT_EQ(gGame.playfield.building, 1) << "the next click on an open one starts a new wall";
    EXPECT_EQ(gGame.playfield.wallHit, 0);
}

TEST_F(WallsTest, CaptureFillsOnlyBallFreeRegions) {
    harness::placeBall(0, 20.5f, 10.5f, 0.25f, 0.25f);
    harness::placeBall(1, 4.5f, 4.5f, 0.25f, 0.25f);
    finishWall(10, 15, Orientation::Vertical);
    EXPECT_EQ(gGame.playfield.countSolidCells(), 116 + 28) << "balls on both sides: only the wall";

    // Beside an older wall the fill starts inside its solid cell, so the open region beyond
    // it is tested too (ball-free: filled).
    harness::clearFieldNoBalls();
    harness::placeBall(0, 20.5f, 20.5f, 0.25f, 0.25f);
    for (int y = 1; y <= 28; ++y) gGame.playfield.cells[5][y].solid = 1;
    finishWall(6, 15, Orientation::Vertical);
    EXPECT_EQ(gGame.playfield.cells[3][3].solid, 1u);
    EXPECT_EQ(gGame.playfield.cells[20][3].solid, 0u);
}

TEST_F(WallsTest, FillStaysInsideAFieldWithoutBorder) {
    for (auto& column : gGame.playfield.cells) {
        for (Cell& c : column) c.solid = 0;
    }
    gGame.playfield.regionHasBall = 0;
    gGame.playfield.floodRegion(0, 0);
    EXPECT_EQ(harness::markedCells(), 900);
    gGame.playfield.sweepMarks(0);
    EXPECT_EQ(gGame.playfield.countSolidCells(), 900);
    gGame.playfield.floodRegion(-1, 30);  // outside: nothing to do
    EXPECT_EQ(harness::markedCells(), 0);
}

}  // namespace
