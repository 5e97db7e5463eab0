// window.h: the game window, its GL context, the projection and the input state.
#pragma once
#include "app/platform.h"
#include "app/types.h"

constexpr i32 VK_ESCAPE = 27;

struct InputState {
    u8 keys[256];  // by Win32 virtual-key code
    i32 mouseX;
    i32 mouseY;
    u8 leftPressed;
    u8 rightPressed;
    u8 leftClicked;
    u8 rightClicked;
    u8 showMenuCursor;

    void latchClicks();
};

struct GlWindow {
    u8 videoUp;     // the video subsystem is initialised (the registered class)
    u8 window;      // a window exists
    u8 context;     // a GL context exists
    u8 fullscreen;
    i32 viewportWidth;
    i32 viewportHeight;
};

bool createGameWindow(const char* title, i32 width, i32 height, i32 colourBits, bool fullscreen);
void destroyGameWindow();
void resizeScene(i32 width, i32 height);
bool initGlState();
void windowProcedure(const PlatformEvent& event);
void pumpOneMessage();
void swapFrameBuffers();

extern InputState gInput;
extern GlWindow gWindow;
