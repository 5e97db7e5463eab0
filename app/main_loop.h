// main_loop.h: start-up, the main loop, the menu actions and the frame step.
#pragma once
#include "app/types.h"

constexpr u32 FRAME_PERIOD_MS = 30;

extern u8 quitRequested;
extern u32 frameStartTicks;
extern f32 framesPerSecond;

// The whole program: start-up, main loop, shutdown. Returns the exit status.
int runGame();
bool startUp();       // everything before the main loop; false when no window could be made
void runMainLoop();
void runMainPass();   // one pass: the current state's logic, then one frame step
void stepFrame();
void handleMenuActions();
