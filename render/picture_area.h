// picture_area.h: the part of the window the next picture draws and shows.
#pragma once
#include "core/types.h"
#include "render/frame.h"

struct Game;
struct Picture;

// What the overlay shows besides the game's records, as far as the area depends on it. The
// menu is the caller's to know: it hands over one number that changes whenever the menu does.
struct OverlayFacts {
    u64 menuKey = 0;
    bool cursorMark = false;  // the menu's "x" at the pointer
    i32 pointerX = 0;
    i32 pointerY = 0;
    f32 framesPerSecond = 0.0f;
    bool paused = false;  // the paused veil: nothing under it moves
};

// The area of this picture, against the one before, which it remembers. The whole picture
// unless the platform keeps what it showed (`kept`) and little has changed.
DrawArea choosePictureArea(const Picture& picture, const Game& game, const OverlayFacts& overlay, bool kept);
void forgetPicture();  // the window is new: nothing of an earlier picture is in it
