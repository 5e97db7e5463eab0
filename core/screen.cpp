// screen.cpp: letterboxing the logical screen and mapping the mouse into it.
#include "core/screen.h"

ScreenRect letterbox(i32 windowWidth, i32 windowHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) return ScreenRect{0, 0, 1, 1};
    ScreenRect r;
    // Whole pixels, widths compared in 64 bits: a 4:3 rectangle as large as fits.
    if (i64(windowWidth) * 3 <= i64(windowHeight) * 4) {
        r.width = windowWidth;
        r.height = i32(i64(windowWidth) * 3 / 4);
    } else {
        r.height = windowHeight;
        r.width = i32(i64(windowHeight) * 4 / 3);
    }
    if (r.width < 1) r.width = 1;
    if (r.height < 1) r.height = 1;
    r.x = (windowWidth - r.width) / 2;
    r.y = (windowHeight - r.height) / 2;
    return r;
}

namespace {

i32 mapAxis(i32 v, i32 start, i32 length, i32 logical) {
    const i64 mapped = (i64(v) - start) * logical / length;
    return mapped < 0 ? 0 : (mapped >= logical ? logical - 1 : i32(mapped));
}

}  // namespace

void windowToScreen(const ScreenRect& rect, i32* x, i32* y) {
    *x = mapAxis(*x, rect.x, rect.width, SCREEN_WIDTH);
    *y = mapAxis(*y, rect.y, rect.height, SCREEN_HEIGHT);
}
