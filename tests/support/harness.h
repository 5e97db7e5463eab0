// harness.h: plays the real game headless: fresh globals, scripted input, pass by pass.
#pragma once
#include "core/types.h"
#include "platform/scripted/platform_scripted.h"
#include "support/globals.h"
#include "ui/menu.h"

namespace harness {

void resetGame();     // every global as at program start, and a fresh scripted machine
void startPlaying();  // start-up, then New Game clicked and its camera flight over
// Passes of the main loop, one frame each, until a quit is due or `until` holds.
void runPasses(int n, bool (*until)() = nullptr);
// One pass, and the flight it may start through to its end: what one pass was, to a player.
void runUntilPlayOrMenu(int n = 1000);
void runUntilPlaying(int n = 1000);  // through the menu and any flight, until play

// Input as the window delivers it; each event is taken by one frame step.
void push(PlatformEventType type, i32 x = 0, i32 y = 0);
inline void leftClick(i32 x, i32 y) { push(PlatformEventType::LeftDown, x, y); }
inline void rightClick(i32 x, i32 y) { push(PlatformEventType::RightDown, x, y); }
inline void keyDown(i32 vk) { push(PlatformEventType::KeyDown, vk); }
inline void keyUp(i32 vk) { push(PlatformEventType::KeyUp, vk); }
// A key as a keyboard sends it: its Windows code and its place (the scancode the bindings read).
struct Key {
    i32 vk;
    i32 scancode;
};
constexpr Key KEY_LEFT{37, 80}, KEY_RIGHT{39, 79}, KEY_UP{38, 82}, KEY_DOWN{40, 81}, KEY_SPACE{32, 44}, KEY_RETURN{13, 40},
              KEY_R{'R', 21}, KEY_W{'W', 26}, KEY_B{'B', 5}, KEY_Q{'Q', 20};
void press(Key key, bool systemRepeat = false);  // key down
void release(Key key);
inline void tap(Key key) { press(key), release(key); }
// The client pixel inside cursor cell (x, y): 21 pixels a column, 16 a row from the bottom.
inline i32 pixelX(int cellX) { return cellX * 21 + 10; }
inline i32 pixelY(int cellY) { return 480 - (cellY * 16 + 8); }
// The middles of the menu's buttons.
constexpr i32 bandMiddle(MenuBand band) { return i32(MENU_TOP + band.top + band.height / 2.0f); }
constexpr i32 MENU_X = i32(MENU_LEFT + MENU_WIDTH / 2.0f), NEW_GAME_Y = bandMiddle(NEW_GAME_BAND), RESUME_Y = bandMiddle(RESUME_BAND),
              EXIT_Y = bandMiddle(EXIT_BAND);

void clearFieldNoBalls();  // an open field with its solid border, no wall, no balls
void placeBall(int index, float x, float y, float vx, float vy);
int markedCells();
int openWindows();  // open toolkit windows, slot 0 aside

}  // namespace harness
