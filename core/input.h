// input.h: what the window has told the game: keys, mouse, clicks and the quit message.
#pragma once
#include "core/types.h"

constexpr i32 VK_ESCAPE = 27;

struct InputState {
    bool keys[256] = {};  // by Win32 virtual-key code
    i32 mouseX = 0;       // in the game's 640 x 480 screen
    i32 mouseY = 0;
    bool leftPressed = false;  // since the last latch
    bool rightPressed = false;
    bool leftClicked = false;  // latched by the frame step, read by this frame's logic
    bool rightClicked = false;
    bool showMenuCursor = false;
    bool quitRequested = false;  // the quit message arrived: the main loop ends

    void latchClicks();
};

extern InputState gInput;
