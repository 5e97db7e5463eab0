// window.h: the game window and its GL context, and the window procedure that turns
// window messages into the input state.
#pragma once
#include "core/screen.h"
#include "core/types.h"
#include "platform/platform.h"

struct GlWindow {
    bool videoUp = false;  // the video subsystem is initialised (the registered class)
    bool context = false;  // a GL context exists
    bool fullscreen = false;         // opened in the display's full-screen mode
    bool desktopFullscreen = false;  // filling the desktop, switched by the player
    // The window's own size, kept while in full screen: what F11 returns to, and what is
    // remembered for the next start.
    i32 windowedWidth = SCREEN_WIDTH;
    i32 windowedHeight = SCREEN_HEIGHT;
};

// `fullscreen` and `colourBits` are the window design's display-mode full screen; the game
// opens a window and fills the desktop through platformSetFullscreen instead.
bool createGameWindow(const char* title, i32 width, i32 height, i32 colourBits, bool fullscreen);
void destroyGameWindow();
void windowProcedure(const PlatformEvent& event);  // mouse positions already in the 640 x 480 screen
void swapFrameBuffers();

extern GlWindow gWindow;
