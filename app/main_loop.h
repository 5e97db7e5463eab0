// main_loop.h: the program: its options, start-up, the main loop and its passes, shutdown.
#pragma once
#include "app/command_line.h"
#include "app/settings_file.h"

// The program as started: the options, then the game unless one of them ends it. Returns
// the exit status.
int runProgram(int argc, const char* const* argv);
// The whole game: start-up, main loop, shutdown. Returns the exit status.
int runGame(const LaunchOptions& options);
// Everything before the main loop, the window opened as given; false when no window could be made.
bool startUp(const WindowSettings& window = WindowSettings{});
void runMainLoop();  // until a quit, between phases
void runMainPass();  // one frame: a step of the current phase, then the frame step
