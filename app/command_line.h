// command_line.h: the few options the program takes.
#pragma once

// Full screen or the window: --fullscreen and --window choose for one run, otherwise the
// game opens as it was left.
enum class WindowChoice { Remembered, Fullscreen, Window };

struct LaunchOptions {
    WindowChoice window = WindowChoice::Remembered;
};

// Reads the options. --help and --version print to stdout and an unknown option prints a
// usage line to stderr; then the status to end with is returned. -1: go on and play.
int readCommandLine(int argc, const char* const* argv, LaunchOptions* options);
