// screen_test.cpp: the 640 x 480 screen in any window: the mouse mapped into it, bars
// clamping to its edges, a wall started where the player clicks, full screen switched.
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/main_loop.h"
#include "core/input.h"
#include "game/game.h"
#include "render/frame.h"
#include "support/harness.h"
#include "ui/menu.h"

namespace {

void resize(i32 width, i32 height) {
    scripted::pushEvent({PlatformEventType::Resize, 0, width, height});
    harness::runPasses(1);
}

struct Mapped {
    i32 x, y;
};

Mapped mouseAt(i32 windowX, i32 windowY) {
    harness::moveMouse(windowX, windowY);
    harness::runPasses(1);
    return {gInput.mouseX, gInput.mouseY};
}

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::resetGame();
        ASSERT_TRUE(harness::startGame());
    }
};

TEST_F(ScreenTest, MouseMapsIntoTheLetterboxedScreenAndBarsClampToItsEdges) {
    const struct Case {
        i32 width, height, windowX, windowY, x, y;
    } cases[] = {
        {640, 480, 0, 0, 0, 0},          {640, 480, 639, 479, 639, 479},  {640, 480, 321, 200, 321, 200},
        {1280, 960, 642, 401, 321, 200}, {1280, 960, 1279, 959, 639, 479},
        // 1400 x 700: a screen of 933 x 700 at x = 233, bars left and right.
        {1400, 700, 233, 0, 0, 0},       {1400, 700, 1165, 699, 639, 479}, {1400, 700, 700, 350, 320, 240},
        {1400, 700, 10, 350, 0, 240},    {1400, 700, 1390, 100, 639, 68},
        // 800 x 1000: a screen of 800 x 600 at y = 200, bars above and below.
        {800, 1000, 400, 500, 320, 240}, {800, 1000, 400, 5, 320, 0},      {800, 1000, 0, 999, 0, 479},
    };
    for (const Case& c : cases) {
        resize(c.width, c.height);
        const Mapped m = mouseAt(c.windowX, c.windowY);
        EXPECT_TRUE(m.x == c.x && m.y == c.y) << c.width << "x" << c.height << " at " << c.windowX << ","
                                              << c.windowY << ": " << m.x << "," << m.y;
    }
}

TEST_F(ScreenTest, NewGameAndAWallWhereThePlayerClicksInAScaledWindow) {
    resize(1400, 700);
    // New Game at the screen's (320, 180): 233 + 320 * 933 / 640 = 699.5, 180 * 700 / 480 = 262.5.
    harness::leftClick(700, 263);
    harness::runPasses(4);  // taken, latched, pushed by the menu, acted on
    ASSERT_EQ(gGame.session.state, GameState::Playing);
    harness::clearFieldNoBalls();
    // Cell (10, 15): screen pixel (220, 232), window (233 + 220 * 1.4578, 232 * 1.4583).
    harness::leftClick(233 + 321, 339);
    harness::runPasses(3);  // taken, latched, then the walls see it
    EXPECT_TRUE(gGame.playfield.building || gGame.playfield.cells[10][15].solid == 1);
    EXPECT_EQ(gGame.playfield.wallStartX, 10);
    EXPECT_EQ(gGame.playfield.wallStartY, 15);
}

TEST_F(ScreenTest, FullScreenFromTheStartAndBothWaysByItsKey) {
    harness::resetGame();
    LaunchOptions options;
    options.fullscreen = true;
    ASSERT_TRUE(startUp(options));
    EXPECT_TRUE(scripted::fullscreen());
    const ScreenRect& r = gRender.screen;
    EXPECT_TRUE(r.x == 240 && r.y == 0 && r.width == 1440 && r.height == 1080) << r.x << " " << r.width;
    const Mapped centre = mouseAt(960, 540);
    EXPECT_TRUE(centre.x == 320 && centre.y == 240);

    scripted::pushEvent({PlatformEventType::ToggleFullscreen, 0, 0, 0});
    harness::runPasses(1);
    EXPECT_FALSE(scripted::fullscreen()) << "back to the window";
    scripted::pushEvent({PlatformEventType::ToggleFullscreen, 0, 0, 0});
    harness::runPasses(1);
    EXPECT_TRUE(scripted::fullscreen());
    for (bool key : gInput.keys) EXPECT_FALSE(key) << "the switch is no key of the game's";
}

}  // namespace
