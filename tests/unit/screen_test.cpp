// screen_test.cpp: the 640 x 480 screen in any window: the mouse mapped into it and onto the
// field's cells, bars clamping to its edges, full screen from the start.
#include <gtest/gtest.h>

#include "app/controls.h"
#include "app/main_loop.h"
#include "game/game.h"
#include "render/frame.h"
#include "support/harness.h"

namespace {

// One message a frame, a resize first; the rules see the move in the pass after its frame.
bool mouseMapsTo(i32 windowX, i32 windowY, i32 x, i32 y) {
    harness::push(PlatformEventType::MouseMove, windowX, windowY);
    harness::runPasses(3);
    return gInput.mouseX == x && gInput.mouseY == y;
}

// In a game, the pointer picks the cell under it: 21 x 16 screen pixels a cell, rows from the
// bottom, clamped inside the border.
TEST(Screen, ThePointerPicksTheCellUnderItInAnyWindowBarsClampToTheScreensEdges) {
    harness::resetGame();
    harness::startPlaying();
    // 1400 x 700: a screen of 933 x 700 at x = 233; 800 x 1000: one of 800 x 600 at y = 200.
    const i32 cases[][8] = {  // window, pointer, screen pixel, cell
        {640, 480, 0, 0, 0, 0, 1, 28},          {640, 480, 639, 479, 639, 479, 28, 1},  {640, 480, 41, 240, 41, 240, 1, 15},
        {640, 480, 42, 240, 42, 240, 2, 15},    {640, 480, 587, 240, 587, 240, 27, 15}, {640, 480, 588, 240, 588, 240, 28, 15},
        {1280, 960, 642, 401, 321, 200, 15, 17}, {1280, 960, 1279, 959, 639, 479, 28, 1}, {1400, 700, 233, 0, 0, 0, 1, 28},
        {1400, 700, 700, 350, 320, 240, 15, 15}, {1400, 700, 10, 350, 0, 240, 1, 15},   {1400, 700, 1390, 100, 639, 68, 28, 25},
        {800, 1000, 400, 5, 320, 0, 15, 28},    {800, 1000, 0, 999, 0, 479, 1, 1},      {640, 480, 629, 10, 629, 10, 28, 28}};
    for (const auto& c : cases) {
        harness::push(PlatformEventType::Resize, c[0], c[1]);
        EXPECT_TRUE(mouseMapsTo(c[2], c[3], c[4], c[5]) && gGame.playfield.cursorX == c[6] && gGame.playfield.cursorY == c[7])
            << c[0] << "x" << c[1] << " at " << c[2] << "," << c[3] << ": " << gInput.mouseX << "," << gInput.mouseY << ", cell "
            << gGame.playfield.cursorX << "," << gGame.playfield.cursorY;
    }
}

TEST(Screen, FullScreenFromTheStartFillsTheDisplay) {
    harness::resetGame();
    ASSERT_TRUE(startUp({.fullscreen = true}));
    EXPECT_TRUE(scripted::fullscreen());
    const ScreenRect& r = gRender.screen;
    EXPECT_TRUE(r.x == 240 && r.y == 0 && r.width == 1440 && r.height == 1080) << r.x << " " << r.width;
    EXPECT_TRUE(mouseMapsTo(960, 540, 320, 240));  // F11 both ways: settings_test.cpp
}

}  // namespace
