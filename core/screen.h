// screen.h: the game's one logical screen of 640 x 480 pixels, letterboxed into any window.
#pragma once
#include "core/types.h"

constexpr i32 SCREEN_WIDTH = 640;
constexpr i32 SCREEN_HEIGHT = 480;

// Where the logical screen lies in a window: the largest 4:3 rectangle, centred, in
// window pixels from the top left. The rest of the window is black bars.
struct ScreenRect {
    i32 x = 0;
    i32 y = 0;
    i32 width = SCREEN_WIDTH;
    i32 height = SCREEN_HEIGHT;
};

ScreenRect letterbox(i32 windowWidth, i32 windowHeight);

// A window pixel as a pixel of the logical screen; a pixel in a bar clamps to the
// nearest edge of the screen.
void windowToScreen(const ScreenRect& rect, i32* x, i32* y);
