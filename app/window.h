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
    // Maximised by the player or the window manager; kept through full screen, which
    // returns to it.
    bool maximised = false;
    // The window's own size, kept while in full screen or maximised: what F11 or restoring
    // returns to, and what is remembered for the next start. In the desktop's units, which
    // are pixels but on a scaled display.
    i32 windowedWidth = SCREEN_WIDTH;
    i32 windowedHeight = SCREEN_HEIGHT;
    // The size before the last Resize, until another message comes: a window manager may
    // give a window its maximised size before it says it maximised it. 0: none to go back to.
    i32 resizedFromWidth = 0;
    i32 resizedFromHeight = 0;
};

// `fullscreen` and `colourBits` are the window design's display-mode full screen; the game
// opens a window and fills the desktop through platformSetFullscreen instead.
bool createGameWindow(const char* title, i32 width, i32 height, i32 colourBits, bool fullscreen);
void destroyGameWindow();
void windowProcedure(const PlatformEvent& event);  // mouse positions already in the 640 x 480 screen
void swapFrameBuffers();

extern GlWindow gWindow;
