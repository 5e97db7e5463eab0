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

// A rectangle of window pixels as GL counts them, rows from the bottom; x1 and y1 lie
// outside it.
struct PixelBox {
    i32 x0 = 0;
    i32 y0 = 0;
    i32 x1 = 0;
    i32 y1 = 0;

    bool empty() const { return x0 >= x1 || y0 >= y1; }
    void add(const PixelBox& o) {
        if (o.empty()) return;
        if (empty()) {
            *this = o;
            return;
        }
        x0 = x0 < o.x0 ? x0 : o.x0;
        y0 = y0 < o.y0 ? y0 : o.y0;
        x1 = x1 > o.x1 ? x1 : o.x1;
        y1 = y1 > o.y1 ? y1 : o.y1;
    }
    PixelBox within(const PixelBox& o) const {
        PixelBox b{x0 > o.x0 ? x0 : o.x0, y0 > o.y0 ? y0 : o.y0, x1 < o.x1 ? x1 : o.x1, y1 < o.y1 ? y1 : o.y1};
        return b.empty() ? PixelBox{} : b;
    }
};

// A rectangle of the logical screen, in its pixels from the top left.
struct ScreenBox {
    f32 left, top, right, bottom;
};

// A window pixel as a pixel of the logical screen; a pixel in a bar clamps to the
// nearest edge of the screen.
void windowToScreen(const ScreenRect& rect, i32* x, i32* y);
