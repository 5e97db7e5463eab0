// input.h: what the window and the devices' bindings have told the game (keys, pointer,
// clicks, the quit message), and the one value each step of the game is handed from it.
#pragma once
#include "core/types.h"

constexpr i32 VK_ESCAPE = 27;

struct InputState {
    bool keys[256] = {};  // by Win32 virtual-key code
    i32 mouseX = 0;       // the pointer, in the game's 640 x 480 screen, wherever a device put it
    i32 mouseY = 0;
    bool leftPressed = false;  // since the last latch
    bool rightPressed = false;
    bool leftClicked = false;  // latched by the frame step, handed to the next pass's step
    bool rightClicked = false;
    bool showMenuCursor = false;  // the menu's "x" follows the pointer
    // The quit message arrived, the credits ended or a replay stopped: the main loop ends at
    // its next pass between phases.
    bool quitRequested = false;
    bool menuHeld = false;       // a control bound to the menu is down: it acts as Escape does

    void latchClicks();
};

// What the keyboard's and the pads' bindings made of one frame step: the pointer placed on a
// cell or a button, the two buttons pressed, the menu control going down or up, the pause
// control pressed. A recording
// keeps this rather than the keys and pad buttons, so it replays whatever the bindings are.
enum class MenuControl : i32 { Same, Down, Up };
struct BoundInput {
    bool point = false;  // the pointer placed at (x, y) of the 640 x 480 screen
    i32 x = 0;
    i32 y = 0;
    bool left = false;  // build, or push the button under the pointer
    bool right = false;  // turn the wall
    MenuControl menu = MenuControl::Same;
    bool pause = false;  // pause play, or resume it

    bool any() const { return point || left || right || menu != MenuControl::Same || pause; }
};

// As the window procedure takes a mouse message: the pointer moves, a press waits for the latch.
void applyBound(const BoundInput& bound, InputState& state);

// One step's input, taken from the state once, before the step: the rules, the phases and
// the toolkit read this and nothing else.
struct StepInput {
    i32 pointerX = 0;
    i32 pointerY = 0;
    bool leftClicked = false;
    bool rightClicked = false;
    bool escape = false;  // Escape, or a control bound to the menu, is down
    bool quit = false;
};

StepInput stepInputOf(const InputState& state);
