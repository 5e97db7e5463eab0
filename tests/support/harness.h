// harness.h: plays the real game headless: fresh globals, scripted input, pass by pass.
#pragma once
#include <string>

#include "app/platform_scripted.h"
#include "app/types.h"

namespace harness {

// Every global of the game back to its program-start value, and a fresh scripted machine.
void resetGame();

// Start-up as the program does it (window, textures, menu, title pattern, session, ball,
// sound); false when the window could not be made.
bool startGame();

// n passes of the main loop (each ends with one frame step); stops early on quit.
void runPasses(int n);

// Input as the window would deliver it; each event is taken by one frame step.
void moveMouse(i32 x, i32 y);
void leftClick(i32 x, i32 y);
void rightClick(i32 x, i32 y);
void keyDown(i32 vk);
void keyUp(i32 vk);
void closeWindow();

// An open field with a solid border and no wall, no balls.
void clearFieldNoBalls();
void placeBall(int index, float x, float y, float vx, float vy);

// A scratch folder, removed with its contents when the guard goes.
struct TempDir {
    std::string path;
    TempDir();
    ~TempDir();
    std::string file(const std::string& name, const std::string& contents) const;
};

// Runs the body with the working directory switched to dir.
struct WorkingDir {
    std::string previous;
    explicit WorkingDir(const std::string& dir);
    ~WorkingDir();
};

}  // namespace harness
