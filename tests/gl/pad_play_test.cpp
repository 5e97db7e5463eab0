// pad_play_test.cpp: the whole game on the real SDL layer with a virtual pad plugged in and pulled
// out while it runs; how the game reads a pad is pinned with a scripted one in controls_test.cpp.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "app/controls.h"
#include "app/main_loop.h"
#include "app/phases.h"
#include "app/recorder.h"
#include "app/window.h"
#include "game/game.h"
#include "support/globals.h"
#include "ui/menu.h"

namespace {

bool pointerAt(i32 x, i32 y) { return gInput.mouseX == x && gInput.mouseY == y; }
// Passes until done() holds, at most limit of them.
template <class Done>
bool runUntil(Done done, int limit) {
    for (int i = 0; i < limit && !done() && !quitDue(); ++i) runMainPass();
    return done();
}
void runPasses(int n) { runUntil([] { return false; }, n); }

class PadPlay : public ::testing::Test {
protected:
    // As a player starts: the pad plugged in during the intro, Start ends it, Down and A push
    // New Game. One ball, standing, so that no wall is ever broken.
    void SetUp() override {
        resetGlobals();
        gRecorder.timedemo = true;  // frames without the period's wait; the pads are read once a frame step all the same
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");  // the offscreen window never has the focus
        ASSERT_TRUE(startUp());
        ASSERT_TRUE((runPasses(3), gFlow.intro.active)) << "the pad comes in after start-up";
        pad = SDL_JoystickOpen(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0));
        ASSERT_NE(pad, nullptr) << SDL_GetError();
        tap(SDL_CONTROLLER_BUTTON_START);
        ASSERT_TRUE(runUntil([] { return !gFlow.intro.active; }, 10)) << "Start ends the intro";
        tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN), tap(SDL_CONTROLLER_BUTTON_A);
        ASSERT_TRUE(runUntil([] { return gFlow.phase == Phase::Play; }, 300)) << "New Game pushed";
        gGame.balls.count = 1, gGame.balls.balls[0] = Ball{3.5f, 3.5f, 0.0f, 0.0f};
    }
    void TearDown() override { destroyGameWindow(), SDL_ResetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS); }  // and SDL drops the pad

    // Changes reach SDL at the frame step's next look at the pads.
    void hold(SDL_GameControllerButton b, bool down) { SDL_JoystickSetVirtualButton(pad, b, down); }
    void tap(SDL_GameControllerButton b) { hold(b, true), runPasses(1), hold(b, false), runPasses(1); }
    void lean(Sint16 x, Sint16 y) { SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, x), SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, y); }
    SDL_Joystick* pad = nullptr;
};

// A player would see a pad plugged in after start-up not step, turn, build or open the menu, or push the pointer off the screen.
TEST_F(PadPlay, APadPluggedInAfterStartUpPlaysTheField) {
    const i32 column = gInput.mouseX / CELL_PIXELS_X;
    tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), tap(SDL_CONTROLLER_BUTTON_B), tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(runUntil([] { return gGame.playfield.building; }, 5)) << "A builds";
    EXPECT_EQ(gGame.playfield.wallStartX, column + 1) << "the d-pad moves a cell";
    EXPECT_EQ(gGame.playfield.wallOrientation, Orientation::Vertical) << "B turns from a new game's horizontal";

    lean(32767, 32767), runUntil([] { return pointerAt(SCREEN_WIDTH - 1, SCREEN_HEIGHT - 1); }, 200), runPasses(5);
    EXPECT_TRUE(pointerAt(SCREEN_WIDTH - 1, SCREEN_HEIGHT - 1)) << "held against the corner: " << gInput.mouseX << "," << gInput.mouseY;
    lean(0, 0), tap(SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(runUntil([] { return gFlow.phase == Phase::Menu; }, 10) && gUi.menu.resumeAllowed) << "Start opens the menu";
}

// A player would see a pad pulled out mid-wall build, turn, open the menu or move the pointer by itself, or the wall not finish.
TEST_F(PadPlay, PullingThePadOutMidWallChangesNothingElse) {
    hold(SDL_CONTROLLER_BUTTON_A, true);
    ASSERT_TRUE(runUntil([] { return gGame.playfield.building; }, 5));
    lean(-20000, 12000), runPasses(1);
    for (int i = 0; i < SDL_NumJoysticks(); ++i)  // pulled out, with A and the stick still held
        if (SDL_JoystickGetDeviceInstanceID(i) == SDL_JoystickInstanceID(pad)) SDL_JoystickDetachVirtual(i);
    SDL_JoystickClose(pad);
    const i32 x = gInput.mouseX, y = gInput.mouseY, row = gGame.playfield.wallStartY;
    const Orientation turned = gGame.playfield.selectedOrientation;
    std::string disturbed;
    for (int pass = 0; pass < 100 && (pass < 10 || gGame.playfield.building); ++pass) {
        runPasses(1);
        disturbed += std::string(pointerAt(x, y) ? "" : " pointer") + (gInput.leftClicked ? " build" : "");
        disturbed += gInput.rightClicked || gGame.playfield.selectedOrientation != turned ? " turn" : "";
        disturbed += gInput.menuHeld || gFlow.phase != Phase::Play ? " menu" : "";
    }
    EXPECT_EQ(disturbed, "");
    for (i32 column = 1; column < FIELD_SIZE - 1; ++column) EXPECT_EQ(gGame.playfield.cells[column][row].solid, 1u) << column;
}

}  // namespace
