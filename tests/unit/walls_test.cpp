// walls_test.cpp: the cursor cell, growing walls, losing them to a ball, and the capture.
#include <gtest/gtest.h>

#include "app/window.h"
#include "game/balls.h"
#include "game/playfield.h"
#include "game/session.h"
#include "support/harness.h"

namespace {

class WallsTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::resetGame();
        harness::clearFieldNoBalls();
        gSession.lives = 3;
    }
    // One playing frame of the rules, as the main loop runs them.
    void frame() {
        gPlayfield.update();
        gBalls.move();
        gInput.leftClicked = 0;
        gInput.rightClicked = 0;
    }
    // Mouse position that selects cell (x, y) on the 640 x 480 screen.
    static void pointAt(int x, int y) {
        gInput.mouseX = x * 21 + 5;
        gInput.mouseY = 480 - (y * 16 + 8);
    }
    static int marked() {
        int n = 0;
        for (auto& column : gPlayfield.cells) {
            for (Cell& c : column) n += c.marked;
        }
        return n;
    }
};

TEST_F(WallsTest, MouseMapsToCellsOnTheFixedGridAndClampsInsideTheBorder) {
    struct Case {
        int mx, my, cx, cy;
    };
    const Case cases[] = {
        {0, 0, 1, 28},      {639, 479, 28, 1}, {320, 240, 15, 15}, {41, 240, 1, 15},
        {42, 240, 2, 15},   {588, 240, 28, 15}, {587, 240, 27, 15}, {5000, 9000, 28, 1},
    };
    for (const Case& c : cases) {
        gInput.mouseX = c.mx;
        gInput.mouseY = c.my;
        gPlayfield.update();
        EXPECT_EQ(gPlayfield.cursorX, c.cx) << c.mx << "," << c.my;
        EXPECT_EQ(gPlayfield.cursorY, c.cy) << c.mx << "," << c.my;
    }
}

TEST_F(WallsTest, RightClickTogglesOrientationAndClicksOnSolidCellsStartNothing) {
    EXPECT_EQ(gPlayfield.selectedOrientation, 0);
    gInput.rightClicked = 1;
    frame();
    EXPECT_EQ(gPlayfield.selectedOrientation, Orientation::Vertical);
    gInput.rightClicked = 1;
    frame();
    EXPECT_EQ(gPlayfield.selectedOrientation, Orientation::Horizontal);

    gPlayfield.cells[5][5].solid = 1;
    pointAt(5, 5);
    gInput.leftClicked = 1;
    frame();
    EXPECT_EQ(gPlayfield.building, 0);
    EXPECT_EQ(marked(), 0);
}

TEST_F(WallsTest, VerticalWallGrowsOneCellPerEndAndCompletesInItsFourteenthFrame) {
    harness::placeBall(0, 20.5f, 10.5f, 0.25f, 0.25f);
    gPlayfield.selectedOrientation = Orientation::Vertical;
    pointAt(10, 15);
    gInput.leftClicked = 1;
    frame();
    EXPECT_EQ(gPlayfield.cells[10][15].marked, 1);
    EXPECT_EQ(gPlayfield.cells[10][16].marked, 1);
    EXPECT_EQ(gPlayfield.cells[10][14].marked, 1);
    EXPECT_EQ(marked(), 3);
    // A second click and a new orientation do not disturb the growing wall.
    gInput.leftClicked = 1;
    gInput.rightClicked = 1;
    pointAt(20, 20);
    for (int f = 2; f <= 13; ++f) {
        frame();
        EXPECT_EQ(marked(), 1 + 2 * f) << "frame " << f;
        EXPECT_EQ(gPlayfield.building, 1);
    }
    EXPECT_EQ(gPlayfield.cells[20][20].marked, 0);
    frame();  // the 14th
    EXPECT_EQ(gPlayfield.building, 0);
    EXPECT_EQ(marked(), 0);
    for (int y = 1; y <= 28; ++y) EXPECT_EQ(gPlayfield.cells[10][y].solid, 1u);
    // The ball's side stays open, the other side is captured.
    EXPECT_EQ(gPlayfield.countSolidCells(), 116 + 28 + 252);
    EXPECT_EQ(gPlayfield.cells[5][5].solid, 1u);
    EXPECT_EQ(gPlayfield.cells[15][5].solid, 0u);
}

TEST_F(WallsTest, BallsOnBothSidesLeaveOnlyTheWall) {
    harness::placeBall(0, 20.5f, 10.5f, 0.25f, 0.25f);
    harness::placeBall(1, 4.5f, 4.5f, 0.25f, 0.25f);
    gPlayfield.startWall(10, 15, Orientation::Vertical);
    for (int f = 0; f < 14; ++f) gPlayfield.growWall(Orientation::Vertical);
    EXPECT_EQ(gPlayfield.countSolidCells(), 116 + 28);
}

TEST_F(WallsTest, TouchDestroysTheWallOnTheNextFrameAndCostsALife) {
    gPlayfield.startWall(10, 15, Orientation::Vertical);
    // A ball right of the wall's start cell, moving west past the threshold.
    harness::placeBall(0, 11.25f, 15.5f, -0.25f, 0.25f);
    gBalls.move();
    EXPECT_EQ(gPlayfield.wallHit, 1);
    EXPECT_EQ(gSession.lives, 3) << "nothing happens before the next growth step";
    frame();
    EXPECT_EQ(gSession.lives, 2);
    EXPECT_EQ(gPlayfield.building, 0);
    EXPECT_EQ(marked(), 0);
    EXPECT_EQ(gPlayfield.countSolidCells(), 116);
    // The next click starts a new wall.
    pointAt(5, 5);
    gInput.leftClicked = 1;
    frame();
    EXPECT_EQ(gPlayfield.building, 1);
    EXPECT_EQ(gPlayfield.wallHit, 0);
}

TEST_F(WallsTest, CaptureEdgeCases) {
    // A horizontal wall in row 1: its lower side cell is the border; nothing changes there.
    harness::placeBall(0, 20.5f, 20.5f, 0.25f, 0.25f);
    gPlayfield.startWall(10, 1, Orientation::Horizontal);
    for (int f = 0; f < 30 && gPlayfield.building; ++f) gPlayfield.growWall(Orientation::Horizontal);
    EXPECT_EQ(gPlayfield.countSolidCells(), 116 + 28);

    // A wall right beside an older one starts its fill inside the old wall's solid cell,
    // so the open region beyond the old wall is tested (ball-free: filled).
    harness::clearFieldNoBalls();
    harness::placeBall(0, 20.5f, 20.5f, 0.25f, 0.25f);
    for (int y = 1; y <= 28; ++y) gPlayfield.cells[5][y].solid = 1;
    gPlayfield.startWall(6, 15, Orientation::Vertical);
    for (int f = 0; f < 30 && gPlayfield.building; ++f) gPlayfield.growWall(Orientation::Vertical);
    EXPECT_EQ(gPlayfield.cells[3][3].solid, 1u);
    EXPECT_EQ(gPlayfield.cells[20][3].solid, 0u);

    // A ball inside a cell the wall covered is found by neither fill.
    harness::clearFieldNoBalls();
    harness::placeBall(0, 10.5f, 7.5f, 0.25f, 0.25f);
    gPlayfield.startWall(10, 15, Orientation::Vertical);
    for (int f = 0; f < 30 && gPlayfield.building; ++f) gPlayfield.growWall(Orientation::Vertical);
    EXPECT_EQ(gPlayfield.countSolidCells(), 900 - 0) << "both sides ball-free";
}

TEST_F(WallsTest, FillStaysInsideAFieldWithoutBorder) {
    // A pattern without a border: the fill reaches the edges and must stop there.
    for (auto& column : gPlayfield.cells) {
        for (Cell& c : column) c.solid = 0;
    }
    gPlayfield.regionHasBall = 0;
    gPlayfield.floodRegion(0, 0);
    EXPECT_EQ(marked(), 900);
    gPlayfield.sweepMarks(0);
    EXPECT_EQ(gPlayfield.countSolidCells(), 900);
    gPlayfield.floodRegion(-1, 30);  // outside: nothing to do
    EXPECT_EQ(marked(), 0);
}

}  // namespace
