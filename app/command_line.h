// command_line.h: the few options the program takes.
#pragma once

struct LaunchOptions {
    bool fullscreen = false;  // desktop full screen instead of the 640 x 480 window
};

// Reads the options. --help and --version print to stdout and an unknown option prints a
// usage line to stderr; then the status to end with is returned. -1: go on and play.
int readCommandLine(int argc, const char* const* argv, LaunchOptions* options);
