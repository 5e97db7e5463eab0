// harness.h: plays the real game headless: fresh globals, scripted input, pass by pass.
#pragma once
#include <filesystem>
#include <string>

#include "platform/scripted/platform_scripted.h"
#include "core/types.h"
#include "support/globals.h"

namespace harness {

void resetGame();  // every global as at program start, and a fresh scripted machine
bool startGame();  // start-up as the program does it; false without a window
void runPasses(int n);  // passes of the main loop, each ending with a frame step, until a quit

// Input as the window delivers it; each event is taken by one frame step.
void moveMouse(i32 x, i32 y);
void leftClick(i32 x, i32 y);
void rightClick(i32 x, i32 y);
void keyDown(i32 vk);
void keyUp(i32 vk);
void closeWindow();
// The client pixel inside cursor cell (x, y): 21 pixels a column, 16 a row from the bottom.
inline i32 pixelX(int cellX) { return cellX * 21 + 10; }
inline i32 pixelY(int cellY) { return 480 - (cellY * 16 + 8); }

void clearFieldNoBalls();  // an open field with its solid border, no wall, no balls
void placeBall(int index, float x, float y, float vx, float vy);
int markedCells();
int openWindows();  // open toolkit windows, slot 0 aside

struct WorkingDir {  // the working directory switched while the guard lives
    std::string previous;
    explicit WorkingDir(const std::filesystem::path& dir);
    ~WorkingDir();
};

}  // namespace harness
