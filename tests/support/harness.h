// harness.h: plays the real game headless: fresh globals, scripted input, pass by pass.
#pragma once
#include "core/types.h"
#include "platform/scripted/platform_scripted.h"
#include "support/globals.h"

namespace harness {

void resetGame();     // every global as at program start, and a fresh scripted machine
void startPlaying();  // start-up, then New Game clicked and its camera flight over
void runPasses(int n);  // passes of the main loop, each ending with a frame step, until a quit

// Input as the window delivers it; each event is taken by one frame step.
void push(PlatformEventType type, i32 x = 0, i32 y = 0);
inline void leftClick(i32 x, i32 y) { push(PlatformEventType::LeftDown, x, y); }
inline void rightClick(i32 x, i32 y) { push(PlatformEventType::RightDown, x, y); }
inline void keyDown(i32 vk) { push(PlatformEventType::KeyDown, vk); }
inline void keyUp(i32 vk) { push(PlatformEventType::KeyUp, vk); }
// The client pixel inside cursor cell (x, y): 21 pixels a column, 16 a row from the bottom.
inline i32 pixelX(int cellX) { return cellX * 21 + 10; }
inline i32 pixelY(int cellY) { return 480 - (cellY * 16 + 8); }
// The menu's buttons, centred on (320, 240).
constexpr i32 MENU_X = 320, NEW_GAME_Y = 180, RESUME_Y = 255, EXIT_Y = 315;

void clearFieldNoBalls();  // an open field with its solid border, no wall, no balls
void placeBall(int index, float x, float y, float vx, float vy);
int markedCells();
int openWindows();  // open toolkit windows, slot 0 aside

}  // namespace harness
